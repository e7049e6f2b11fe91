#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/settings_file/settings_file_store.h"
#include "temp_dir.h"

namespace tagsmit::testing {

// Each test gets its own configuration folder through XDG_CONFIG_HOME, the
// same way a user would move it; the environment is restored afterwards.
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1); }
  ~SettingsFileTest() override {
    for (const auto& [name, value] : saved_) {
      value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
  }

  std::filesystem::path Root() const { return root_.path(); }
  std::filesystem::path ConfigHome() const { return Root() / "config"; }
  std::filesystem::path FilePath() const { return ConfigHome() / "tagsmit" / "settings.json"; }

  void WriteFile(const std::string& bytes) const {
    std::filesystem::create_directories(FilePath().parent_path());
    std::ofstream(FilePath(), std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string ReadFile() const { return ReadFile(FilePath()); }
  std::vector<std::string> FolderNames() const {  // sorted
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FilePath().parent_path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir root_;
  SettingsFileStore store_;

 private:
  static std::optional<std::string> Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  const std::pair<const char*, std::optional<std::string>> saved_[2] = {
      {"XDG_CONFIG_HOME", Env("XDG_CONFIG_HOME")}, {"HOME", Env("HOME")}};
};

}  // namespace tagsmit::testing
