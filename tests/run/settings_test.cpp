#include "run/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using testing::FakeFileSystem;
using testing::MemorySettingsStore;
using testing::ScriptedDesktop;

constexpr const char* kImageTag = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    fs.AddDirectory("C:\\Work");
    fs.SetCurrentDirectory("C:\\Work");
    SetDefaults(app.options, desktop.Identity());
  }

  // Stores a section as SaveSettings would, with the given values in order.
  void Store(const std::vector<SettingsEntry>& entries) {
    ASSERT_TRUE(store.Save("tagsmit", "init", entries).ok());
  }

  std::vector<SettingsEntry> Section(const std::string& version, const std::string& clip_str,
                                     const std::string& clip_str_no) {
    return {{"version", version},    {"ClipStr", clip_str}, {"ClipStrNo", clip_str_no},
            {"NotyfyErr", "1"},      {"Test", "1"},         {"LowerCase", "1"},
            {"RelativePath", "255"}, {"FixedPath", "img/"}, {"BasePath", "C:\\Web"}};
  }

  FakeFileSystem fs{PathStyle::Windows};
  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
};

TEST_F(SettingsTest, DefaultsAreTheVersionTextAndTheThreeEntryList) {
  EXPECT_EQ(app.options.VerStr, "115");
  EXPECT_EQ(app.options.DefClipStr.size(), 85u);
  EXPECT_EQ(app.options.DefClipStr.back(), '\n');
  EXPECT_EQ(app.options.DefClipStr.find('\r'), std::string::npos);
}

TEST_F(SettingsTest, FirstStartBeepsUsesDefaultsAndWritesNothing) {
  LoadSettings(app, services);
  EXPECT_EQ(desktop.beeps, 1);
  EXPECT_TRUE(desktop.boxes.empty());
  ASSERT_EQ(app.clip_strs.Count(), 3);
  EXPECT_EQ(app.clip_strs.Entry(0), kImageTag);
  EXPECT_EQ(app.clip_strs.Entry(1), "&f\" WIDTH=&w HEIGHT=&h>");
  EXPECT_EQ(app.clip_strs.Entry(2), " WIDTH=&w HEIGHT=&h");
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 0);
  EXPECT_EQ(app.options.CurClipStr, kImageTag);
  EXPECT_EQ(
      app.options.NotyfyErr + app.options.Test + app.options.LowerCase + app.options.RelativePath,
      0);
  EXPECT_EQ(app.options.FixedPath, "./");
  EXPECT_EQ(app.options.BasePath, "C:\\Work");
  EXPECT_EQ(store.saves, 0);
  EXPECT_EQ(store.deletes, 0);
}

TEST_F(SettingsTest, AcceptsVersions113To115AndResetsOthers) {
  struct Case {
    const char* version;
    bool accepted;
  };
  for (const Case c :
       {Case{"113", true}, Case{"114", true}, Case{"115", true}, Case{" 1 15", true},
        Case{"112", false}, Case{"116", false}, Case{"", false}, Case{"v115", false}}) {
    MemorySettingsStore fresh;
    ScriptedDesktop quiet;
    Services local{fs, quiet, fresh};
    AppState state;
    SetDefaults(state.options, quiet.Identity());
    ASSERT_TRUE(fresh.Save("tagsmit", "init", Section(c.version, "a&w&h\n", "0")).ok());

    LoadSettings(state, local);

    EXPECT_EQ(quiet.beeps, c.accepted ? 0 : 1) << c.version;
    EXPECT_EQ(fresh.GetAll("Tagsmit", "init").empty(), !c.accepted) << c.version;
    EXPECT_EQ(state.options.CurClipStr, c.accepted ? "a&w&h" : kImageTag) << c.version;
  }
}

TEST_F(SettingsTest, LoadTakesValuesByPositionNotByName) {
  auto section = Section("115", "first\nsecond\nthird\n", "1");
  section[7].first = "SomethingElse";  // the name does not matter, the place does
  Store(section);
  LoadSettings(app, services);

  ASSERT_EQ(app.clip_strs.Count(), 3);
  EXPECT_EQ(app.clip_strs.Entry(0), "third");
  EXPECT_EQ(app.options.CurClipStr, "second");
  EXPECT_EQ(app.options.NotyfyErr, 1);
  EXPECT_EQ(app.options.RelativePath, 255);
  EXPECT_EQ(app.options.FixedPath, "img/");
  EXPECT_EQ(app.options.BasePath, "C:\\Web");
}

TEST_F(SettingsTest, ListTextRulesEmptyEntriesCarriageReturnsAndUnterminatedTail) {
  FillClipStrList(app, desktop, "a\r\n\nb\ntail without feed");
  ASSERT_EQ(app.clip_strs.Count(), 3);
  EXPECT_EQ(app.clip_strs.Entry(0), "b");
  EXPECT_EQ(app.clip_strs.Entry(1), "");
  EXPECT_EQ(app.clip_strs.Entry(2), "a\r");
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SettingsTest, EmptyListTextIsReportedAndEmptiesTheCommandLine) {
  app.options.CmdLine = "C:\\a.gif";
  FillClipStrList(app, desktop, "only a tail");
  EXPECT_EQ(app.clip_strs.Count(), 0);
  EXPECT_EQ(app.options.CmdLine, "");
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, "貼り付け文字列を設定してください");
  EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);
  EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(desktop.boxes[0].title, "Tagsmit");
}

TEST_F(SettingsTest, SaveWritesNineKeysInOrderAndLoadRestoresListAndSelection) {
  LoadSettings(app, services);
  EXPECT_TRUE(SaveSettings(app, store).ok());
  auto saved = store.GetAll("Tagsmit", "init");
  const std::vector<std::string> keys = {"version",      "ClipStr",   "ClipStrNo",
                                         "NotyfyErr",    "Test",      "LowerCase",
                                         "RelativePath", "FixedPath", "BasePath"};
  ASSERT_EQ(saved.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(saved[i].first, keys[i]);
  EXPECT_EQ(saved[1].second, app.options.DefClipStr);
  EXPECT_EQ(saved[2].second, "0");

  app.clip_strs.InsertAtTop("new &w &h");
  app.clip_strs.Select(2);
  app.options.RelativePath = 255;
  EXPECT_TRUE(SaveSettings(app, store).ok());

  AppState again;
  SetDefaults(again.options, desktop.Identity());
  LoadSettings(again, services);
  EXPECT_EQ(again.clip_strs.Entries(), app.clip_strs.Entries());
  EXPECT_EQ(again.clip_strs.SelectedIndex(), 2);
  EXPECT_EQ(again.options.CurClipStr, app.clip_strs.Entry(2));
  EXPECT_EQ(store.GetAll("tagsmit", "init")[6].second, "255");
}

TEST_F(SettingsTest, HandEditedValuesNeverBreakTheProgram) {
  struct Case {
    std::string clip_str_no;
    int selected;
  };
  for (const Case& c :
       {Case{"7", 0}, Case{"-2", 0}, Case{"x", 0}, Case{"", 0}, Case{"-1", -1}, Case{"2", 2}}) {
    MemorySettingsStore hand_edited;
    Services local{fs, desktop, hand_edited};
    AppState state;
    SetDefaults(state.options, desktop.Identity());
    ASSERT_TRUE(hand_edited
                    .Save("tagsmit", "init",
                          {{"version", "115"},
                           {"ClipStr", "a\nb\nc\n"},
                           {"ClipStrNo", c.clip_str_no},
                           {"NotyfyErr", "256"},
                           {"Test", "-1"},
                           {"LowerCase", "yes"}})
                    .ok());
    LoadSettings(state, local);
    EXPECT_EQ(state.clip_strs.SelectedIndex(), c.selected) << c.clip_str_no;
    EXPECT_EQ(state.options.CurClipStr, state.clip_strs.Text()) << c.clip_str_no;
    EXPECT_EQ(state.options.NotyfyErr, 0);
    EXPECT_EQ(state.options.Test, 0);
    EXPECT_EQ(state.options.LowerCase, 0);
    EXPECT_EQ(state.options.RelativePath, 0);  // missing positions are empty texts
    EXPECT_EQ(state.options.FixedPath, "");
    EXPECT_EQ(state.options.BasePath, "");
  }
}

TEST_F(SettingsTest, SaveFailureIsReturnedAndChangesNothing) {
  Store(Section("115", "kept &w &h\n", "0"));
  store.fail_saves = true;
  LoadSettings(app, services);
  app.clip_strs.InsertAtTop("lost");
  const Status status = SaveSettings(app, store);
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(status.error().empty());
  EXPECT_EQ(store.Get("Tagsmit", "init", "ClipStr"), "kept &w &h\n");
}

}  // namespace
}  // namespace tagsmit
