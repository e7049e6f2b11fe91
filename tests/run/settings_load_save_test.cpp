#include "run/settings_load_save.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "platform/program_identity.h"
#include "run/stored_values.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using testing::FakeFileSystem;
using testing::MemorySettingsStore;
using testing::ScriptedDesktop;

constexpr const char* kImageTag = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";

std::vector<SettingsEntry> Section(const std::string& version, const std::string& clip_str,
                                   const std::string& clip_str_no) {
  return {{"version", version},    {"ClipStr", clip_str}, {"ClipStrNo", clip_str_no},
          {"NotyfyErr", "1"},      {"Test", "1"},         {"LowerCase", "1"},
          {"RelativePath", "255"}, {"FixedPath", "img/"}, {"BasePath", "C:\\Web"}};
}

// One start of the program: its own desktop, store and memory.
struct Start {
  explicit Start(FileSystem& fs) : services{fs, desktop, store} {
    SetDefaults(app.options, desktop.Identity());
  }
  void Load(const std::vector<SettingsEntry>& stored) {
    ASSERT_TRUE(store.Save("tagsmit", "init", stored).ok());
    LoadSettings(app, services);
  }

  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services;
  AppState app;
};

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    fs.AddDirectory("C:\\Work");
    fs.ChangeDirectory("C:\\Work");
  }

  FakeFileSystem fs{PathStyle::Windows};
  Start start{fs};
};

// What else a first start shows and keeps is checked end to end.
TEST_F(SettingsTest, FirstStartBeepsAndTurnsEverySwitchOff) {
  Options& options = start.app.options;
  options.NotyfyErr = options.Test = options.LowerCase = options.RelativePath = 1;
  options.MoreFormats = options.DisplaySize = options.DensitySize = 1;
  options.SrcSet = options.SeveralFiles = 1;
  LoadSettings(start.app, start.services);
  EXPECT_EQ(start.desktop.Count("beep"), 1);
  EXPECT_EQ(options.NotyfyErr + options.Test + options.LowerCase + options.RelativePath +
                options.MoreFormats + options.DisplaySize + options.DensitySize + options.SrcSet +
                options.SeveralFiles,
            0);
}

// This release, 1.3.0, reads the settings of 1.1.3 to 1.3.0.
TEST_F(SettingsTest, AcceptsVersions113To130AndResetsOthers) {
  struct Case {
    const char* version;
    bool accepted;
  };
  for (const Case c :
       {Case{"113", true}, Case{"115", true}, Case{" 1 15", true}, Case{"120", true},
        Case{"130", true}, Case{"112", false}, Case{"131", false}, Case{"v115", false},
        Case{"4294967411", false}, Case{"18446744073709551731", false}}) {
    Start s{fs};
    SetDefaults(s.app.options, TagsmitIdentity());
    ASSERT_EQ(s.app.options.VerStr, "130");
    s.Load(Section(c.version, "a&w&h\n", "0"));
    EXPECT_EQ(s.desktop.Count("beep"), c.accepted ? 0 : 1) << c.version;
    EXPECT_EQ(s.store.GetAll("Tagsmit", "init").empty(), !c.accepted) << c.version;
    EXPECT_EQ(s.app.options.CurClipStr, c.accepted ? "a&w&h" : kImageTag) << c.version;
  }
}

// Outdated settings that cannot be deleted: the start says once why, no box.
TEST_F(SettingsTest, AResetThatCannotDeleteIsToldOnce) {
  ASSERT_TRUE(start.store.Save("tagsmit", "init", Section("121", "a\n", "0")).ok());
  start.store.fail_changes = true;
  LoadSettings(start.app, start.services);
  EXPECT_THAT(
      start.desktop.events,
      ::testing::ElementsAre("warn: 設定を初期化できませんでした。\n"
                             "/home/u/.config/tagsmit/settings.json\nNo space left on device",
                             "beep"));
}

TEST_F(SettingsTest, LoadTakesValuesByPositionNotByName) {
  auto section = Section("115", "first\nsecond\nthird\n", "1");
  section[7].first = "SomethingElse";
  start.Load(section);
  const Options& options = start.app.options;
  EXPECT_EQ(start.app.clip_strs.Entry(0), "third");
  EXPECT_EQ(options.CurClipStr, "second");
  EXPECT_EQ(options.NotyfyErr, 1);
  EXPECT_EQ(options.RelativePath, 255);
  EXPECT_EQ(options.FixedPath, "img/");
  EXPECT_EQ(options.BasePath, "C:\\Web");
}

TEST_F(SettingsTest, ListTextRulesAndTheEmptyListReport) {
  AppState& app = start.app;
  FillClipStrList(app, start.desktop, "a\r\n\nb\ntail without feed");
  EXPECT_EQ(app.clip_strs.Entries(), (std::vector<std::string>{"b", "", "a\r"}));
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 0);
  FillClipStrList(app, start.desktop, std::string(1 << 20, '\n'));  // in time linear in its size
  EXPECT_EQ(app.clip_strs.Count(), 1 << 20);
  EXPECT_TRUE(start.desktop.boxes.empty());

  FillClipStrList(app, start.desktop, "only a tail");
  EXPECT_EQ(app.clip_strs.Count(), 0);
  EXPECT_THAT(testing::Boxes(start.desktop),
              ::testing::ElementsAre(
                  testing::Told("貼り付け文字列を設定してください", BoxIcon::Exclamation)));
}

TEST_F(SettingsTest, SaveAndLoadRoundTripTheListOrderAndSelection) {
  LoadSettings(start.app, start.services);
  start.app.clip_strs.InsertAtTop("new &w &h");
  start.app.clip_strs.Select(2);
  ASSERT_TRUE(SaveSettings(start.app, start.store).ok());

  const auto saved = start.store.GetAll("Tagsmit", "init");
  ASSERT_EQ(saved.size(), StoredValues().size());  // names and order are checked end to end
  EXPECT_EQ(saved[1].second, start.app.options.DefClipStr + "new &w &h\n");
  EXPECT_EQ(saved[2].second, "2");

  Start again{fs};
  again.Load(saved);
  EXPECT_EQ(again.app.clip_strs.Entries(), start.app.clip_strs.Entries());
  EXPECT_EQ(again.app.clip_strs.SelectedIndex(), 2);
  EXPECT_EQ(again.app.options.CurClipStr, start.app.clip_strs.Entry(2));
}

// The switches added since 1.1.5 follow the first nine keys: a file of 1.1.5
// reads them as off and is written back with them at the end.
TEST_F(SettingsTest, SwitchesAfterTheFirstNineKeys) {
  const auto old = Section("115", "a&w&h\n", "0");
  start.Load(old);
  const Options& options = start.app.options;
  EXPECT_EQ(options.MoreFormats + options.DisplaySize + options.DensitySize + options.SrcSet +
                options.SeveralFiles,
            0);
  start.app.options.DisplaySize = 1;
  ASSERT_TRUE(SaveSettings(start.app, start.store).ok());
  const auto saved = start.store.GetAll("Tagsmit", "init");
  ASSERT_EQ(saved.size(), 14u);
  EXPECT_EQ(std::vector(saved.begin() + 1, saved.begin() + 9),
            std::vector(old.begin() + 1, old.end()));
  const std::vector<SettingsEntry> added(saved.begin() + 9, saved.end());
  EXPECT_EQ(added, (std::vector<SettingsEntry>{{"MoreFormats", "0"},
                                               {"DisplaySize", "1"},
                                               {"DensitySize", "0"},
                                               {"SrcSet", "0"},
                                               {"SeveralFiles", "0"}}));
}

TEST_F(SettingsTest, HandEditedValuesNeverBreakTheProgram) {
  struct Case {
    std::string clip_str_no;
    int selected;
  };
  for (const Case& c : {Case{"7", 0}, Case{"-2", 0}, Case{"x", 0}, Case{"-1", -1}, Case{"2", 2}}) {
    Start s{fs};
    s.Load({{"version", "115"},
            {"ClipStr", "a\nb\nc\n"},
            {"ClipStrNo", c.clip_str_no},
            {"NotyfyErr", "256"},
            {"Test", "-1"},
            {"LowerCase", "yes"}});
    const Options& options = s.app.options;
    EXPECT_EQ(s.app.clip_strs.SelectedIndex(), c.selected) << c.clip_str_no;
    EXPECT_EQ(options.CurClipStr, s.app.clip_strs.Text()) << c.clip_str_no;
    EXPECT_EQ(options.NotyfyErr + options.Test + options.LowerCase, 0);
    EXPECT_EQ(options.RelativePath, 0);  // missing positions are empty texts
    EXPECT_EQ(options.FixedPath + options.BasePath, "");
  }
}

}  // namespace
}  // namespace tagsmit
