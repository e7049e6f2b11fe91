#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/settings_file/settings_file_store.h"

namespace tagsmit::testing {

// Each test gets its own configuration folder through XDG_CONFIG_HOME, the
// same way a user would move it.
class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path ConfigHome() const { return root_ / "config"; }
  std::filesystem::path FilePath() const { return ConfigHome() / "tagsmit" / "settings.json"; }
  void WriteFile(const std::string& bytes) const;
  std::string ReadFile() const;
  std::vector<std::string> FolderNames() const;  // sorted

  SettingsFileStore store_;
  std::filesystem::path root_;

 private:
  std::optional<std::string> saved_config_home_;
  std::optional<std::string> saved_home_;
};

}  // namespace tagsmit::testing
