#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>

#include <gmock/gmock.h>

#include "settings_file_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

const std::vector<SettingsEntry> kNineKeys = {
    {"version", "115"},      {"ClipStr", "a\nb\n"}, {"ClipStrNo", "0"},
    {"NotyfyErr", "1"},      {"Test", "0"},         {"LowerCase", "0"},
    {"RelativePath", "255"}, {"FixedPath", "./"},   {"BasePath", "/home/u"}};

TEST_F(SettingsFileTest, EveryKindOfTextRoundTrips) {
  const std::vector<SettingsEntry> entries = {{"lf", "one\ntwo\n"},
                                              {"cr", "one\r\ntwo\r"},
                                              {"quotes", "\"q\" 'a'"},
                                              {"backslash", "C:\\Web\\"},
                                              {"japanese", "画像寸法ｸﾘｯﾌﾟ　全角"},
                                              {"blanks", "  lead and trail  "},
                                              {"empty", ""},
                                              {"nul", std::string("a\0b", 3)},
                                              {"controls", "\t\x01\x1f\x7f"},
                                              {"json", "{\"init\": [1]}"}};
  ASSERT_TRUE(store_.Save("tagsmit", "init", entries).ok());

  SettingsFileStore fresh;
  EXPECT_EQ(fresh.GetAll("Tagsmit", "init"), entries);
  for (const auto& [key, value] : entries) EXPECT_EQ(fresh.Get("Tagsmit", "init", key), value);
}

TEST_F(SettingsFileTest, NamesIgnoreCaseAndKeysKeepTheOrderAndSpellingOfTheirCreation) {
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
}

TEST_F(SettingsFileTest, DeleteSectionRemovesOnlyThatSectionAndMakesNoFileOfItsOwn) {
  EXPECT_TRUE(store_.DeleteSection("Tagsmit", "init").ok());
  EXPECT_FALSE(std::filesystem::exists(ConfigHome()));

  ASSERT_TRUE(store_.Save("tagsmit", "init", kNineKeys).ok());
  ASSERT_TRUE(store_.Save("tagsmit", "other", {{"k", "v"}}).ok());
  ASSERT_TRUE(store_.DeleteSection("Tagsmit", "INIT").ok());
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"), IsEmpty());
  EXPECT_THAT(store_.GetAll("Tagsmit", "other"), ElementsAre(Pair("k", "v")));
}

TEST_F(SettingsFileTest, NineValuesReplaceTheFileOnceInAPrivateFolder) {
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"version", "113"}}).ok());
  const int watch = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, FilePath().parent_path().c_str(),
                              IN_MOVED_TO | IN_CREATE | IN_MODIFY | IN_DELETE),
            0);

  ASSERT_TRUE(store_.Save("tagsmit", "init", kNineKeys).ok());

  alignas(inotify_event) char buffer[8192];
  std::vector<std::uint32_t> events;  // on settings.json itself
  for (ssize_t size; (size = read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* at = buffer; at < buffer + size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->len > 0 && std::string(event->name) == "settings.json")
        events.push_back(event->mask);
      at += sizeof(inotify_event) + event->len;
    }
  }
  close(watch);
  EXPECT_THAT(events, ElementsAre(IN_MOVED_TO)) << "one replacement and no write in place";
  EXPECT_EQ(store_.GetAll("Tagsmit", "init"), kNineKeys);
  EXPECT_THAT(FolderNames(), ElementsAre("settings.json"));
  EXPECT_EQ(std::filesystem::status(FilePath().parent_path()).permissions(),
            std::filesystem::perms::owner_all);
}

TEST_F(SettingsFileTest, EmptyOrRelativeConfigHomeFallsBackToHome) {
  setenv("HOME", Root().c_str(), 1);
  for (const char* config_home : {"", "relative/config"}) {
    setenv("XDG_CONFIG_HOME", config_home, 1);
    ASSERT_TRUE(store_.Save("Tagsmit", "init", {{"v", config_home}}).ok());
    EXPECT_EQ(store_.Get("tagsmit", "init", "v"), config_home);
    EXPECT_TRUE(std::filesystem::is_regular_file(Root() / ".config" / "tagsmit" / "settings.json"));
  }
  EXPECT_FALSE(std::filesystem::exists("relative"));
}

TEST_F(SettingsFileTest, ALinkedFileStaysALink) {
  const auto target = Root() / "dotfiles.json";
  std::filesystem::create_directories(FilePath().parent_path());
  std::ofstream(target) << R"({"init": {"version": "115"}})";
  std::filesystem::create_symlink(target, FilePath());
  ASSERT_TRUE(store_.Save("tagsmit", "init", {{"Test", "1"}}).ok());

  EXPECT_TRUE(std::filesystem::is_symlink(FilePath()));
  EXPECT_THAT(store_.GetAll("Tagsmit", "init"),
              ElementsAre(Pair("version", "115"), Pair("Test", "1")));
}

}  // namespace
}  // namespace tagsmit::testing
