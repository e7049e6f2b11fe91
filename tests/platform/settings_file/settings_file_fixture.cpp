#include "settings_file_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tagsmit::testing {
namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

void Restore(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace

void SettingsFileTest::SetUp() {
  saved_config_home_ = Environment("XDG_CONFIG_HOME");
  saved_home_ = Environment("HOME");
  std::string pattern = (std::filesystem::temp_directory_path() / "tagsmit-store-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  root_ = pattern;
  setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
}

void SettingsFileTest::TearDown() {
  Restore("XDG_CONFIG_HOME", saved_config_home_);
  Restore("HOME", saved_home_);
  std::error_code ignored;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void SettingsFileTest::WriteFile(const std::string& bytes) const {
  std::filesystem::create_directories(FilePath().parent_path());
  std::ofstream(FilePath(), std::ios::binary) << bytes;
}

std::string SettingsFileTest::ReadFile() const {
  std::ifstream in(FilePath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SettingsFileTest::FolderNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(FilePath().parent_path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tagsmit::testing
