// The settings store on the system's own files; on POSIX also one rename per
// save, a private folder, the XDG fallback, links, and a full disk.
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/settings_file/settings_file_store.h"
#include "platform/settings_file/utf8_path.h"
#include "temp_dir.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAreArray;

// Environment variables in the system's own text: UTF-16 on Windows, so that
// a folder of any name gets through. Setting nothing removes the variable.
using EnvironmentText = std::filesystem::path::string_type;
#ifdef _WIN32
const wchar_t* const kConfigHome = L"APPDATA";  // moves the store's folder
const wchar_t* GetVariable(const wchar_t* name) {
  return _wgetenv(name);
}
void SetVariable(const wchar_t* name, const wchar_t* value) {
  _wputenv_s(name, value ? value : L"");
}
#else
const char* const kConfigHome = "XDG_CONFIG_HOME";
const char* GetVariable(const char* name) {
  return std::getenv(name);
}
void SetVariable(const char* name, const char* value) {
  value ? setenv(name, value, 1) : unsetenv(name);
}
#endif

// Puts an environment variable back as it was when the object goes.
struct SavedVariable {
  ~SavedVariable() { SetVariable(name, value ? value->c_str() : nullptr); }
  const std::filesystem::path::value_type* name;
  std::optional<EnvironmentText> value =
      GetVariable(name) ? std::optional<EnvironmentText>(GetVariable(name)) : std::nullopt;
};

// Each test gets its own configuration folder through the environment, the
// same way a user would move it.
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { SetVariable(kConfigHome, ConfigHome().c_str()); }

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
    names.erase("settings.lock");
    return names;
  }
  static std::string ErrorOf(const Status& status) { return status.ok() ? "none" : status.error(); }

  SavedVariable config_home_{kConfigHome};
  TempDir root_;
  SettingsFileStore store_;
};

const std::vector<SettingsEntry> kNineKeys = {
    {"version", "115"},      {"ClipStr", "a\nb\n"}, {"ClipStrNo", "0"},
    {"NotyfyErr", "1"},      {"Test", "0"},         {"LowerCase", "0"},
    {"RelativePath", "255"}, {"FixedPath", "./"},   {"BasePath", "/home/u"}};

TEST_F(SettingsFileTest, EveryKindOfTextRoundTrips) {
  const std::vector<SettingsEntry> entries = {{"line ends", "one\ntwo\r\nthree\r"},
                                              {"quotes, backslashes", "\"q\" 'a' C:\\Web\\"},
                                              {"Japanese, blanks", "  画像寸法ｸﾘｯﾌﾟ　全角  "},
                                              {"empty", ""},
                                              {"controls", std::string("a\0b\t\x01\x1f\x7f", 7)},
                                              {"json", "{\"init\": [1]}"}};
  ASSERT_TRUE(store_.Save("tagsmit", "init", entries).ok());
  EXPECT_EQ(SettingsFileStore().GetAll("Tagsmit", "init"), entries);
}

TEST_F(SettingsFileTest, NamesIgnoreCaseAndKeysKeepTheOrderAndSpellingOfTheirCreation) {
  EXPECT_TRUE(store_.DeleteSection("Tagsmit", "init").ok());
  EXPECT_FALSE(std::filesystem::exists(ConfigHome())) << "a deletion makes no file of its own";

  ASSERT_TRUE(store_.Save("tagsmit", "init", kNineKeys).ok());
  ASSERT_TRUE(
      store_.Save("TAGSMIT", "INIT", {{"BASEPATH", "/tmp"}, {"new", "n"}, {"version", "114"}})
          .ok());
  std::vector<SettingsEntry> expected = kNineKeys;
  expected[0].second = "114";
  expected[8].second = "/tmp";
  expected.emplace_back("new", "n");
  EXPECT_EQ(store_.GetAll("Tagsmit", "init"), expected);
  EXPECT_EQ(store_.Get("tagSmit", "Init", "basepath"), "/tmp");
  EXPECT_THAT(store_.GetAll("Tagsmit", "init2"), IsEmpty());

  ASSERT_TRUE(store_.Save("tagsmit", "other", {{"k", "v"}}).ok());
  const std::string before_deletion = ReadFile();
  ASSERT_TRUE(store_.DeleteSection("Tagsmit", "INIT").ok());
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
  EXPECT_THAT(store_.GetAll("Tagsmit", "other"), ElementsAre(Pair("k", "v")));
  // The deleted settings are kept beside, as they were.
  const std::set<std::string> names = FolderNames();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_THAT(*names.rbegin(), StartsWith("settings.json.old-"));
  EXPECT_EQ(ReadFile(*names.rbegin()), before_deletion);
}

TEST_F(SettingsFileTest, ASaveRemovesWhatKilledSavesLeftAndNothingElse) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "113"}}).ok());
  root_.WriteFile("config/tagsmit/settings.json.tmp-Xy12ab", std::string("{\"init\": {"));
  root_.WriteFile("config/tagsmit/settings.json.backup", std::string("{}"));
  ASSERT_TRUE(store_.Save("tagsmit", "init", kNineKeys).ok());
  EXPECT_EQ(store_.GetAll("Tagsmit", "init"), kNineKeys);
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json", "settings.json.backup"));
}

// Someone reads the file for a moment (another run reading its settings, a
// virus scanner); a save meanwhile waits for the reader rather than failing.
TEST_F(SettingsFileTest, ASaveWaitsOutAReaderOfTheFile) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "113"}}).ok());
  auto reader = std::make_unique<std::ifstream>(FilePath(), std::ios::binary);
  ASSERT_TRUE(reader->is_open());
  std::thread closer([&reader] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    reader.reset();
  });
  const Status saved = store_.Save("tagsmit", "init", kNineKeys);
  closer.join();
  EXPECT_EQ(ErrorOf(saved), "none");
  EXPECT_EQ(store_.GetAll("Tagsmit", "init"), kNineKeys);
}

// Two saves at once each read, change and replace the whole file; the folder's
// lock keeps either from writing over the other's change.
TEST_F(SettingsFileTest, ConcurrentSavesLoseNoChange) {
  constexpr int kSaves = 40;
  const auto save = [](const std::string& key) {
    SettingsFileStore store;
    for (int n = 1; n <= kSaves; ++n) {
      if (!store.Save("tagsmit", "init", {{key + std::to_string(n), "v"}}).ok()) return;
    }
  };
  std::thread first(save, "a"), second(save, "b");
  first.join();
  second.join();
  EXPECT_EQ(store_.GetAll("Tagsmit", "init").size(), 2u * kSaves);
}

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
    kept.push_back(ReadFile(name));
  }
  EXPECT_THAT(kept, UnorderedElementsAreArray(damages));
}

// Values of other types keep their places, since the settings are read by
// position; what is not the store's own is kept as it is.
TEST_F(SettingsFileTest, HandEditedValuesOfOtherTypesKeepTheirPlaces) {
  WriteFile(R"({"INIT": {"version": 115, "ClipStr": "a\n", "clipstr": "shadowed", "No": -1.5,
    "n": null, "a": [1], "o": {}, "Test": true}, "init": {"shadowed": "section"},
    "other": [1, {"k": "v"}], "kept": {"k": "v"}})");
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"),
              ElementsAre(Pair("version", "115"), Pair("ClipStr", "a\n"), Pair("No", "-1.5"),
                          Pair("n", ""), Pair("a", ""), Pair("o", ""), Pair("Test", "true")));
  EXPECT_THAT(store_.GetAll("Tagsmit", "other"), IsEmpty());

  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}, {"CLIPSTR", "b\n"}}).ok());
  EXPECT_THAT(store_.GetAll("Tagsmit", "init")[1], Pair("ClipStr", "b\n"));
  EXPECT_THAT(ReadFile(), HasSubstr(R"("other": [1,{"k":"v"}],)"));
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json")) << "a file that parses is not copied";

  ASSERT_TRUE(store_.DeleteSection("Tagsmit", "init").ok());  // both spellings go
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
}

// However deep a value is nested, before or after other values, it is read
// and written without recursion, and compactly, by a save and by a reset: the
// file stays about the size of what it holds.
TEST_F(SettingsFileTest, DeepNestingNeitherBlowsTheFileUpNorExhaustsTheStack) {
  for (const std::size_t depth : {20'000, 200'000}) {
    const std::string nest = std::string(depth, '[') + std::string(depth, ']');
    WriteFile(R"({"other": {"a": )" + nest + R"(, "b": 1}, "init": {"version": "115"}})");
    ASSERT_TRUE(store_.Save("tagsmit", "init", {{"Test", "1"}}).ok());
    const std::string written = ReadFile();
    EXPECT_LT(written.size(), nest.size() + 100) << depth;
    EXPECT_NE(written.find(nest), std::string::npos) << depth;
    EXPECT_THAT(store_.GetAll("Tagsmit", "init"),
                ElementsAre(Pair("version", "115"), Pair("Test", "1")));
    ASSERT_TRUE(store_.DeleteSection("Tagsmit", "init").ok());  // a reset's rewrite
    EXPECT_LT(ReadFile().size(), nest.size() + 100) << depth;
  }
}

// A file of very many keys reads in time in proportion to its size.
TEST_F(SettingsFileTest, ManyKeysReadInLinearTime) {
  std::string file = R"({"init": {"version": "115")";
  for (int i = 0; i < 200'000; ++i) file += ",\"k" + std::to_string(i) + "\": 0";
  WriteFile(file + "}}");
  EXPECT_EQ(store_.GetAll("Tagsmit", "init").size(), 200'001u);
}

TEST_F(SettingsFileTest, SavesThatCannotBeMadeAreReportedAndChangeNothing) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "115"}}).ok());
  const std::string before = ReadFile();
  EXPECT_THAT(
      ErrorOf(store_.Save("tagsmit", "init", {{"version", "116"}, {"BasePath", "/caf\xe9"}})),
      HasSubstr("BasePath"))
      << "text that is not UTF-8";
  EXPECT_EQ(ReadFile(), before);

  std::filesystem::remove(FilePath());
  std::filesystem::create_directories(FilePath() / "inside");  // a folder in place of the file
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
  EXPECT_EQ(ErrorOf(store_.Save("tagsmit", "init", {{"version", "115"}})),
            Utf8FromPath(FilePath()) + "\n通常のファイルではありません");
  EXPECT_FALSE(store_.DeleteSection("Tagsmit", "init").ok());
  EXPECT_TRUE(std::filesystem::is_directory(FilePath() / "inside"));
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
}

// Characters beyond ASCII, and beyond 16 bits, in the folder's name reach the
// system as they are: in the file, in the copy kept beside it, in a failure.
TEST_F(SettingsFileTest, AConfigFolderOfAnyNameHoldsTheFile) {
  const std::filesystem::path home = Root() / PathFromUtf8("設定 \xF0\xA0\xAE\xB7野家");
  const std::filesystem::path folder = home / "tagsmit";
  SetVariable(kConfigHome, home.c_str());
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "settings.json", std::ios::binary) << "{\"init\": ";

  ASSERT_EQ(ErrorOf(store_.Save("tagsmit", "init", kNineKeys)), "none");
  EXPECT_EQ(store_.GetAll("Tagsmit", "init"), kNineKeys);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(Utf8FromPath(entry.path().filename()));
  }
  EXPECT_THAT(names, ::testing::Contains(StartsWith("settings.json.corrupt-")));

  std::filesystem::remove(folder / "settings.json");
  std::filesystem::create_directory(folder / "settings.json");
  const std::string error = ErrorOf(store_.Save("tagsmit", "init", kNineKeys));
  EXPECT_THAT(error, HasSubstr("設定 \xF0\xA0\xAE\xB7野家"));
  EXPECT_THAT(error, EndsWith("settings.json\n通常のファイルではありません"));
}

// A settings file whose path runs past MAX_PATH is saved, read and reset
// like any other: on Windows its calls take the extended-length form.
TEST_F(SettingsFileTest, AConfigFolderOfAnyLengthHoldsTheFile) {
  std::filesystem::path home = Root();
  for (const char letter : {'a', 'b', 'c', 'd', 'e'}) home /= std::string(60, letter);
  SetVariable(kConfigHome, home.c_str());
  ASSERT_EQ(ErrorOf(store_.Save("tagsmit", "init", kNineKeys)), "none");
  EXPECT_EQ(store_.GetAll("Tagsmit", "init"), kNineKeys);
  EXPECT_EQ(ErrorOf(store_.DeleteSection("Tagsmit", "init")), "none");
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
}

#ifndef _WIN32
// A write in place is the crash check's to find; here, the folder is private.
TEST_F(SettingsFileTest, TheFolderIsPrivate) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", kNineKeys).ok());
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

// Nor a copy of a damaged file, which each failed attempt would add again.
TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileAndNothingBeside) {
  for (const std::string before : {R"({"init": {"version": "115"}})", R"({"init": )"}) {
    WriteFile(before);
    // The file, then the system's reason.
    EXPECT_EXIT(SaveOnAFullDisk(store_, {{"version", "115"}, {"ClipStr", std::string(200, 'x')}}),
                ::testing::ExitedWithCode(0), "^" + FilePath().string() + "\nFile too large$");
    EXPECT_EQ(ReadFile(), before);
    EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
  }
}
#endif

}  // namespace
}  // namespace tagsmit::testing
