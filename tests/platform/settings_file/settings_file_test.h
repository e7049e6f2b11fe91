#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/settings_file/settings_file_store.h"
#include "platform/settings_file/utf8_path.h"
#include "temp_dir.h"

namespace tagsmit::testing {

// Environment variables in the system's own text: UTF-16 on Windows, so that
// a folder of any name gets through.
using EnvironmentText = std::filesystem::path::string_type;

#ifdef _WIN32
// The variable that moves the store's folder, as a user would move it.
inline const wchar_t* const kConfigHome = L"APPDATA";
inline std::optional<EnvironmentText> GetVariable(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value ? std::optional<EnvironmentText>(value) : std::nullopt;
}
// An empty value removes the variable.
inline void SetVariable(const wchar_t* name, const std::optional<EnvironmentText>& value) {
  _wputenv_s(name, value ? value->c_str() : L"");
}
#else
inline const char* const kConfigHome = "XDG_CONFIG_HOME";
inline std::optional<EnvironmentText> GetVariable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<EnvironmentText>(value) : std::nullopt;
}
inline void SetVariable(const char* name, const std::optional<EnvironmentText>& value) {
  value ? setenv(name, value->c_str(), 1) : unsetenv(name);
}
#endif

// Puts an environment variable back as it was when the object goes.
struct SavedVariable {
  ~SavedVariable() { SetVariable(name, value); }
  const std::filesystem::path::value_type* name;
  std::optional<EnvironmentText> value = GetVariable(name);
};

// Each test gets its own configuration folder through the environment, the
// same way a user would move it.
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { SetVariable(kConfigHome, ConfigHome().native()); }

  std::filesystem::path Root() const { return root_.path(); }
  std::filesystem::path ConfigHome() const { return Root() / "config"; }
  std::filesystem::path FilePath() const { return ConfigHome() / "tagsmit" / "settings.json"; }

  void WriteFile(const std::string& bytes) const {
    root_.WriteFile("config/tagsmit/settings.json", bytes);
  }
  // A file in the settings folder.
  std::string ReadFile(const std::string& name = "settings.json") const {
    std::ifstream in(FilePath().parent_path() / PathFromUtf8(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The names in the settings folder, but for the file through which saves
  // on Windows lock the folder, since a folder cannot be locked there.
  std::set<std::string> FolderNames() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FilePath().parent_path())) {
      names.insert(Utf8FromPath(entry.path().filename()));
    }
#ifdef _WIN32
    names.erase("settings.lock");
#endif
    return names;
  }
  static std::string ErrorOf(const Status& status) {
    return status.ok() ? "none" : status.error();
  }

  SavedVariable config_home_{kConfigHome};
  TempDir root_;
  SettingsFileStore store_;
};

inline const std::vector<SettingsEntry> kNineKeys = {
    {"version", "115"},      {"ClipStr", "a\nb\n"}, {"ClipStrNo", "0"},
    {"NotyfyErr", "1"},      {"Test", "0"},         {"LowerCase", "0"},
    {"RelativePath", "255"}, {"FixedPath", "./"},   {"BasePath", "/home/u"}};

}  // namespace tagsmit::testing
