#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include <gmock/gmock.h>

#include "settings_file_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAreArray;

// Whatever a damaged file holds, reading gives no entries, deleting writes
// nothing, and the next save keeps the old bytes beside the new file under a
// name of their own.
TEST_F(SettingsFileTest, DamagedFileReadsAsEmptyAndIsKeptBesideOnSave) {
  const std::vector<std::string> damages = {
      R"({"init": {"version": "115", "ClipS)", std::string("\x89PNG\r\n\x1a\n\0\xff\xfe{", 13),
      "{\"init\": {\"version\": \"1\xe9\"}}", R"([{"init": {"version": "115"}}])"};
  for (const std::string& damaged : damages) {
    SCOPED_TRACE(damaged);
    WriteFile(damaged);
    EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
    EXPECT_TRUE(store_.DeleteSection("Tagsmit", "init").ok());
    EXPECT_EQ(ReadFile(), damaged);
    ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}}).ok());
    EXPECT_THAT(store_.GetAll("Tagsmit", "init"), ElementsAre(Pair("version", "115")));
  }
  std::vector<std::string> kept;
  for (const std::string& name : FolderNames()) {
    if (name == "settings.json") continue;
    EXPECT_THAT(name, StartsWith("settings.json.corrupt-"));
    kept.push_back(ReadFile(FilePath().parent_path() / name));
  }
  EXPECT_THAT(kept, UnorderedElementsAreArray(damages));
}

TEST_F(SettingsFileTest, HandEditedPartsThatAreNotTextAreSkipped) {
  WriteFile(R"({"INIT": {"version": 115, "ClipStr": "a\n", "clipstr": "shadowed", "n": null,
                         "Test": "1"},
                "init": {"shadowed": "section"},
                "other": [1, 2], "kept": {"k": "v"}})");
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"),
              ElementsAre(Pair("ClipStr", "a\n"), Pair("Test", "1")));
  EXPECT_THAT(store_.GetAll("Tagsmit", "other"), IsEmpty());

  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}, {"CLIPSTR", "b\n"}}).ok());
  ASSERT_TRUE(store_.Save("tagsmit", "other", {{"k", "v"}}).ok());
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"),
              ElementsAre(Pair("version", "115"), Pair("ClipStr", "b\n"), Pair("Test", "1")));
  EXPECT_THAT(store_.GetAll("Tagsmit", "other"), ElementsAre(Pair("k", "v")));
  EXPECT_THAT(store_.GetAll("Tagsmit", "kept"), ElementsAre(Pair("k", "v")));
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json")) << "a file that parses is not copied";

  ASSERT_TRUE(store_.DeleteSection("Tagsmit", "init").ok());  // both spellings go
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
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
  EXPECT_EXIT(SaveOnAFullDisk(store_, {{"version", "115"}, {"ClipStr", std::string(200, 'x')}}),
              ::testing::ExitedWithCode(0), FilePath().string() + ".*File too large");
  EXPECT_EQ(ReadFile(), before);
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));

  // A damaged file survives a failed save, with nothing left beside it.
  const std::string damaged = "{\"init\": " + std::string(100, '[');
  WriteFile(damaged);
  EXPECT_EXIT(SaveOnAFullDisk(store_, {{"version", "115"}}), ::testing::ExitedWithCode(0),
              "File too large");
  EXPECT_EQ(ReadFile(), damaged);
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
}

TEST_F(SettingsFileTest, WhatStandsInTheWayIsReportedAndLeftAlone) {
  std::filesystem::create_directories(FilePath() / "inside");  // a folder in place of the file
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
  const Status saved = store_.Save("tagsmit", "init", {{"version", "115"}});
  EXPECT_THAT(saved.ok() ? "saved" : saved.error(), HasSubstr(FilePath().string()));
  EXPECT_FALSE(store_.DeleteSection("Tagsmit", "init").ok());
  EXPECT_TRUE(std::filesystem::is_directory(FilePath() / "inside"));
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));

  std::filesystem::remove_all(ConfigHome());
  std::ofstream(ConfigHome()) << "a file where the folder should be";
  const Status unmade = store_.Save("tagsmit", "init", {{"version", "115"}});
  EXPECT_THAT(unmade.ok() ? "saved" : unmade.error(),
              HasSubstr((ConfigHome() / "tagsmit").string() + ": Not a directory"));
}

TEST_F(SettingsFileTest, TextThatIsNotUtf8IsRefusedWithoutWriting) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}}).ok());
  const std::string before = ReadFile();
  const Status saved =
      store_.Save("tagsmit", "init", {{"version", "116"}, {"BasePath", "/caf\xe9"}});
  ASSERT_FALSE(saved.ok());
  EXPECT_THAT(saved.error(), HasSubstr("BasePath"));
  EXPECT_EQ(ReadFile(), before);
}

}  // namespace
}  // namespace tagsmit::testing
