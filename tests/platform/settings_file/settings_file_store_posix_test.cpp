// The settings store on POSIX: one rename per save, a private folder, the XDG
// fallback, links, and a full disk.
#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "settings_file_test.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

TEST_F(SettingsFileTest, NineValuesReplaceTheFileOnceInAPrivateFolder) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "113"}}).ok());
  const int watch = inotify_init1(IN_NONBLOCK);
  const auto changes = IN_MOVED_TO | IN_CREATE | IN_MODIFY | IN_DELETE;
  ASSERT_GE(inotify_add_watch(watch, FilePath().parent_path().c_str(), changes), 0);
  ASSERT_TRUE(store_.Save("tagsmit", "init", kNineKeys).ok());

  alignas(inotify_event) char buffer[8192];
  const ssize_t size = read(watch, buffer, sizeof buffer);
  close(watch);
  std::vector<std::uint32_t> events;  // on settings.json itself
  for (char* at = buffer; at < buffer + std::max<ssize_t>(size, 0);) {
    const auto* event = reinterpret_cast<const inotify_event*>(at);
    if (event->len > 0 && std::string(event->name) == "settings.json")
      events.push_back(event->mask);
    at += sizeof(inotify_event) + event->len;
  }
  EXPECT_THAT(events, ElementsAre(IN_MOVED_TO)) << "one replacement and no write in place";
  EXPECT_EQ(store_.GetAll("Tagsmit", "init"), kNineKeys);
  EXPECT_EQ(std::filesystem::status(FilePath().parent_path()).permissions(),
            std::filesystem::perms::owner_all);
}

// Relative values are ignored, as the XDG base directory rules ask.
TEST_F(SettingsFileTest, RelativeConfigHomeFallsBackToHome) {
  const SavedVariable home{"HOME"};
  setenv("HOME", Root().c_str(), 1);
  setenv("XDG_CONFIG_HOME", "relative/config", 1);
  ASSERT_TRUE(store_.Save("Tagsmit", "init", {{"v", "1"}}).ok());
  EXPECT_EQ(store_.Get("tagsmit", "init", "v"), "1");
  EXPECT_TRUE(std::filesystem::is_regular_file(Root() / ".config" / "tagsmit" / "settings.json"));
  EXPECT_FALSE(std::filesystem::exists("relative"));
}

TEST_F(SettingsFileTest, ALinkedFileStaysALink) {
  const std::string target =
      root_.WriteFile("dotfiles.json", std::string(R"({"init": {"v": "1"}})"));
  std::filesystem::create_directories(FilePath().parent_path());
  std::filesystem::create_symlink(target, FilePath());
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"Test", "1"}}).ok());
  EXPECT_TRUE(std::filesystem::is_symlink(FilePath()));
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), ElementsAre(Pair("v", "1"), Pair("Test", "1")));
}

// In the child of a death test: saves with files limited to 64 bytes, as on a
// full disk, and writes the failure to standard error.
void SaveOnAFullDisk(SettingsStore& store, const std::vector<SettingsEntry>& entries) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlim_t before = limit.rlim_cur;
  limit.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, SIG_IGN);
  const Status saved = store.Save("tagsmit", "init", entries);
  limit.rlim_cur = before;  // standard error may go to a file
  setrlimit(RLIMIT_FSIZE, &limit);
  std::cerr << (saved.ok() ? "saved" : saved.error());
  std::_Exit(saved.ok() ? 1 : 0);
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}}).ok());
  const std::string before = ReadFile();
  // The file, then the system's reason.
  EXPECT_EXIT(SaveOnAFullDisk(store_, {{"version", "115"}, {"ClipStr", std::string(200, 'x')}}),
              ::testing::ExitedWithCode(0), "^" + FilePath().string() + "\nFile too large$");
  EXPECT_EQ(ReadFile(), before);
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
}

}  // namespace
}  // namespace tagsmit::testing
