#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include <gmock/gmock.h>

#include "settings_file_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::StartsWith;

struct Damage {
  const char* name;
  std::string bytes;
  friend void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }
};

class DamagedFileTest : public SettingsFileTest, public ::testing::WithParamInterface<Damage> {};

// Whatever the file holds, reading gives no entries and the next save keeps
// the old bytes beside the new file.
TEST_P(DamagedFileTest, ReadsAsEmptyAndIsKeptBesideOnSave) {
  WriteFile(GetParam().bytes);
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
  EXPECT_EQ(store_.Get("Tagsmit", "init", "version"), "");
  EXPECT_TRUE(store_.DeleteSection("Tagsmit", "init").ok());
  EXPECT_EQ(ReadFile(), GetParam().bytes) << "deleting an absent section must not write";

  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}}).ok());
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), ElementsAre(Pair("version", "115")));
  const std::vector<std::string> names = FolderNames();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_THAT(names[1], StartsWith("settings.json.corrupt-"));
  std::ifstream kept(FilePath().parent_path() / names[1], std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFileTest,
    ::testing::Values(Damage{"Truncated", R"({"init": {"version": "115", "ClipS)"},
                      Damage{"Empty", ""},
                      Damage{"Binary", std::string("\x89PNG\r\n\x1a\n\0\xff\xfe{", 13)},
                      Damage{"NotUtf8", "{\"init\": {\"version\": \"1\xe9\"}}"},
                      Damage{"TopLevelArray", R"([{"init": {"version": "115"}}])"},
                      Damage{"TopLevelString", R"("init")"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, EveryDamagedFileIsKeptUnderItsOwnName) {
  for (const char* bytes : {"{", "[", "x"}) {
    WriteFile(bytes);
    ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}}).ok());
  }
  EXPECT_EQ(FolderNames().size(), 4u);  // the file and three kept copies
}

TEST_F(SettingsFileTest, HandEditedPartsThatAreNotTextAreSkipped) {
  WriteFile(R"({"INIT": {"version": 115, "ClipStr": "a\n", "clipstr": "shadowed", "n": null,
                         "Test": "1"},
                "init": {"shadowed": "section"},
                "other": [1, 2], "kept": {"k": "v"}})");
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"),
              ElementsAre(Pair("ClipStr", "a\n"), Pair("Test", "1")));
  EXPECT_EQ(store_.Get("Tagsmit", "init", "version"), "");
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

// Runs a save in a child process whose files may not grow beyond 64 bytes,
// as on a full disk; gives the failure message, or "" when the save worked.
std::string SaveOnAFullDisk(SettingsStore& store, const std::vector<SettingsEntry>& entries) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_ends[0]);
    const rlimit limit{64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
    const Status saved = store.Save("tagsmit", "init", entries);
    const std::string message = saved.ok() ? "" : saved.error();
    _exit(write(pipe_ends[1], message.data(), message.size()) < 0 ? 2 : 0);
  }
  close(pipe_ends[1]);
  std::string message;
  char buffer[512];
  for (ssize_t size; (size = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) {
    message.append(buffer, static_cast<std::size_t>(size));
  }
  close(pipe_ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return message;
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}}).ok());
  const std::string before = ReadFile();

  const std::string message =
      SaveOnAFullDisk(store_, {{"version", "115"}, {"ClipStr", std::string(200, 'x')}});
  EXPECT_THAT(message, HasSubstr(FilePath().string()));
  EXPECT_THAT(message, HasSubstr("File too large"));
  EXPECT_EQ(ReadFile(), before);
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
}

TEST_F(SettingsFileTest, ADamagedFileSurvivesAFailedSave) {
  const std::string damaged = "{\"init\": " + std::string(100, '[');
  WriteFile(damaged);
  EXPECT_THAT(SaveOnAFullDisk(store_, {{"version", "115"}}), HasSubstr("File too large"));
  EXPECT_EQ(ReadFile(), damaged);
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
}

TEST_F(SettingsFileTest, AFolderInPlaceOfTheFileIsNeitherReadNorReplaced) {
  std::filesystem::create_directories(FilePath() / "inside");
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());

  const Status saved = store_.Save("tagsmit", "init", {{"version", "115"}});
  ASSERT_FALSE(saved.ok());
  EXPECT_THAT(saved.error(), HasSubstr(FilePath().string()));
  EXPECT_FALSE(store_.DeleteSection("Tagsmit", "init").ok());
  EXPECT_TRUE(std::filesystem::is_directory(FilePath() / "inside"));
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
}

TEST_F(SettingsFileTest, AFolderThatCannotBeMadeIsReported) {
  std::ofstream(ConfigHome()) << "a file where the folder should be";
  const Status saved = store_.Save("tagsmit", "init", {{"version", "115"}});
  ASSERT_FALSE(saved.ok());
  EXPECT_THAT(saved.error(), HasSubstr((ConfigHome() / "tagsmit").string()));
  EXPECT_THAT(saved.error(), HasSubstr("Not a directory"));
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

TEST_F(SettingsFileTest, ApplicationNamesThatCannotNameAFolderAreRefused) {
  for (const char* app : {"", "..", "a/b"}) {
    EXPECT_FALSE(store_.Save(app, "init", {{"k", "v"}}).ok()) << app;
    EXPECT_THAT(store_.GetAll(app, "init"), IsEmpty());
  }
  EXPECT_FALSE(std::filesystem::exists(ConfigHome()));
}

}  // namespace
}  // namespace tagsmit::testing
