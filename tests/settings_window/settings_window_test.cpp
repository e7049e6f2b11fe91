// The settings window's logic: its handlers, the directory picker and the
// directory tree, over fake views and services.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "about/about_controls.h"
#include "fake_file_system.h"
#include "fake_views.h"
#include "memory_settings_store.h"
#include "run/app.h"
#include "run/settings_load_save.h"
#include "scripted_desktop.h"
#include "settings_window/dir_picker.h"
#include "settings_window/dir_tree.h"
#include "settings_window/main_form.h"
#include "settings_window/settings_controls.h"
#include "window_spec_checks.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using enum SettingsControl;

const SettingsControl chkNotify = SwitchBoxOf("NotyfyErr");
const SettingsControl chkTest = SwitchBoxOf("Test");
const SettingsControl chkLower = SwitchBoxOf("LowerCase");

const BoxSeen kSaveQuestion = Question("設定を保存し終了します。よろしいですか？");

// The settings window, opened over fake services with the first-start
// defaults. POSIX: the current directory is /home/user/web. Windows: it is
// C:\Web, with a second drive D: and a drive A: without a medium.
class SettingsWindowTest : public ::testing::Test {
 protected:
  explicit SettingsWindowTest(PathStyle style = PathStyle::Posix) : fs(style) {}

  void SetUp() override {
    if (fs.Style() == PathStyle::Posix) {
      fs.AddDirectory("/home/user/web/img");
      fs.AddDirectory("/home/user/web/css");
      fs.AddDirectory("/srv/Site");
      fs.ChangeDirectory("/home/user/web");
    } else {
      fs.AddDirectory("C:\\Web\\Img");
      fs.AddDirectory("D:\\Photos");
      fs.SetDriveReady("A:", false);
      fs.ChangeDirectory("C:\\Web");
    }
    SetDefaults(app.options, desktop.identity);
    LoadSettings(app, services);
    form.Open();
    view.log.clear();
  }

  // The paste strings as the window shows them, checked against the list.
  std::vector<std::string> Shown() {
    EXPECT_EQ(view.entries[cmbClipStr], app.clip_strs.Entries());
    EXPECT_EQ(view.selected_entry[cmbClipStr], app.clip_strs.SelectedIndex());
    return view.entries[cmbClipStr];
  }

  // The user's action on `control`, dispatched through the window's table.
  void Press(SettingsControl control, int index = 0) {
    kSettingsWindow.Raise(control, form, index);
  }
  static void Press(DirPicker& picker, PickerControl control, int index = 0) {
    kPickerWindow.Raise(control, picker, index);
  }

  // Opens the directory picker; `user` acts while it is open.
  void Browse(FakeDirPickerView::Script user) {
    view.picker_script = std::move(user);
    Press(btnRef);
  }

  std::string Stored(const std::string& key) { return store.Get("Tagsmit", "init", key); }

  FakeFileSystem fs;
  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
  FakeSettingsView view;
  MainForm form{view, app, services};
};

class WindowsSettingsWindowTest : public SettingsWindowTest {
 protected:
  WindowsSettingsWindowTest() : SettingsWindowTest(PathStyle::Windows) {}
};

constexpr const char* kImageTag = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";
constexpr const char* kTail = "&f\" WIDTH=&w HEIGHT=&h>";
constexpr const char* kSizes = " WIDTH=&w HEIGHT=&h";
const BoxSeen kRefusedClipStr{
    "貼り付け文字列には \"&w\" と  \"&h\" を必ず1つずつ以上指定してください。",
    BoxIcon::Exclamation, BoxButtons::Ok, "設定エラー"};
const BoxSeen kDeleteQuestion = Question("この貼り付け文字列を削除してもいいですか？");

TEST_F(SettingsWindowTest, OpeningPlacesFillsAndShowsTheWindowOnTop) {
  app.options.NotyfyErr = 1;
  app.options.LowerCase = 1;
  view.screen = {1000, 700};
  view.window = {400, 100};
  form.Open();
  EXPECT_EQ(view.at, std::pair(300, 200));  // a third of the free height above
  EXPECT_TRUE(view.checked[chkNotify]);
  EXPECT_FALSE(view.checked[chkTest]);
  EXPECT_TRUE(view.checked[chkLower]);
  EXPECT_EQ(view.texts[txtFixedPath], "./");
  EXPECT_EQ(view.texts[txtBasePath], "/home/user/web");
  EXPECT_THAT(view.log, ElementsAre("settings:on-top", "settings:show"));

  app.options.NotyfyErr = 2;  // a hand-edited value that reports nothing
  app.options.Test = 2;
  form.Open();
  EXPECT_FALSE(view.checked[chkNotify]);
  EXPECT_TRUE(view.checked[chkTest]);
}

// A click on either option runs the same step.
TEST_F(SettingsWindowTest, PathModeSetsTheEnabledStates) {
  for (const int stored : {0, 255}) {
    const bool relative = stored != 0;
    app.options.RelativePath = stored;
    form.Open();
    EXPECT_EQ(view.checked[optRelative], relative);
    EXPECT_EQ(view.checked[optFixed], !relative);
    EXPECT_EQ(view.enabled[txtFixedPath], !relative);
    EXPECT_EQ(view.enabled[btnRef], relative);
    EXPECT_EQ(view.enabled[txtBasePath], relative);
  }
  for (const SettingsControl option : {optFixed, optRelative}) {
    view.checked[optRelative] = option == optRelative;  // as the click left it
    Press(option);
    EXPECT_EQ(view.checked[optFixed], option == optFixed);
    EXPECT_EQ(view.enabled[txtFixedPath], option == optFixed);
  }
}

TEST(WindowTablesTest, SettingsWindowAndPickerAreCompleteWindows) {
  ExpectCompleteWindow(kSettingsWindow, static_cast<int>(kSwitchBoxes) +
                                            static_cast<int>(SwitchBoxes(StoredValues()).size()));
  ExpectCompleteWindow(kPickerWindow, static_cast<int>(PickerControl::Command2) + 1);
}

// Every check box is bound to a stored switch of its own: ticking one box
// alone and pressing OK turns on its switch, and no other, for the next start.
TEST_F(SettingsWindowTest, EachCheckBoxSavesASwitchOfItsOwn) {
  const std::vector<SwitchBoxControl> boxes = SwitchBoxes(StoredValues());
  for (const SettingsControlSpec& spec : kSettingsWindow.controls) {
    const bool bound = std::any_of(boxes.begin(), boxes.end(), [&](const SwitchBoxControl& box) {
      return box.control == spec.control;
    });
    EXPECT_EQ(spec.look.kind == ControlKind::CheckBox, bound) << spec.look.name;
  }
  for (const SwitchBoxControl& ticked : boxes) {
    for (const SwitchBoxControl& box : boxes) view.checked[box.control] = &box == &ticked;
    Press(btnOk);
    AppState next;
    SetDefaults(next.options, desktop.identity);
    LoadSettings(next, services);
    for (const SwitchBoxControl& box : boxes) {
      EXPECT_EQ(next.options.*box.value->switch_field, &box == &ticked ? 1 : 0)
          << box.value->key << " after ticking " << ticked.value->key;
    }
  }
}

// A new stored switch is one row of the stored values: here the values as
// they stood before DisplaySize, with a switch "Extra" added in its place.
// Saving, loading, the reset, the window's table, its opening and OK all
// carry it, with nothing else changed.
TEST_F(SettingsWindowTest, ASwitchAddedToTheStoredValuesIsCarriedEverywhere) {
  std::vector<StoredValue> before;
  for (const StoredValue& value : StoredValues()) {
    if (value.switch_field != &Options::DisplaySize) before.push_back(value);
  }
  std::vector<StoredValue> added = before;
  added.push_back({"Extra",
                   StoredKind::kSwitch,
                   &Options::DisplaySize,
                   nullptr,
                   {SwitchFrame::kRunFrame, "chkExtra", "追加", "追加の切り替え"}});

  // The run-time frame and the window grow by one row; the box sits in it.
  const SettingsWindowSpec old_window = SettingsWindowFor(before);
  const SettingsWindowSpec window = SettingsWindowFor(added);
  const SettingsControl chkExtra = SwitchBoxOf("Extra", added);
  const TwipsRect frame = window.Find(runFrame).look.place;
  const ControlLook& box = window.Find(chkExtra).look;
  EXPECT_EQ(window.controls.size(), old_window.controls.size() + 1);
  EXPECT_EQ(window.client.height, old_window.client.height + 360);
  EXPECT_EQ(frame.height, old_window.Find(runFrame).look.place.height + 360);
  EXPECT_EQ(std::string(box.caption) + box.tooltip, "追加追加の切り替え");
  EXPECT_LT(frame.top, box.place.top);
  EXPECT_LE(box.place.left + box.place.width, frame.left + frame.width);
  EXPECT_LE(box.place.top + box.place.height, frame.top + frame.height);

  // Opening shows it, OK saves it as the last value.
  FakeSettingsView extra_view;
  MainForm extra_form(extra_view, app, services, added);
  app.options.DisplaySize = 1;
  extra_form.Open();
  EXPECT_TRUE(extra_view.checked[chkExtra]);
  app.options.DisplaySize = 0;  // OK takes the box's state
  extra_form.btnOk_Click();
  const auto stored = store.GetAll("Tagsmit", "init");
  ASSERT_EQ(stored.size(), added.size());
  EXPECT_EQ(stored.back(), (SettingsEntry{"Extra", "1"}));

  // Loading takes it back; the reset turns it off.
  AppState next;
  SetDefaults(next.options, desktop.identity);
  LoadSettings(next, services, added);
  EXPECT_EQ(next.options.DisplaySize, 1);
  ASSERT_TRUE(store.Save("tagsmit", "init", {{"version", "112"}}).ok());
  LoadSettings(next, services, added);
  EXPECT_EQ(next.options.DisplaySize, 0);
}

// The paste string is checked in a copy: the list keeps it as typed.
TEST_F(SettingsWindowTest, OkInFixedModeSavesTheControlsAsTyped) {
  app.clip_strs.InsertAtTop("<IMG WIDTH=&W HEIGHT=&H>");
  app.clip_strs.InsertAtTop("&w&h");
  view.texts[txtFixedPath] = "  ../Img ";
  view.texts[txtBasePath] = "/no/such/dir";
  app.options.LowerCase = app.options.Test = 1;  // each switch is taken from its box
  view.checked[chkNotify] = true;
  view.checked[chkTest] = false;
  Press(cmbClipStr, 1);

  Press(btnOk);

  EXPECT_THAT(Boxes(desktop), ElementsAre(kSaveQuestion));
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("FixedPath"), "  ../Img ");
  EXPECT_EQ(Stored("BasePath"), "/no/such/dir");
  EXPECT_EQ(Stored("RelativePath"), "0");
  EXPECT_EQ(Stored("LowerCase"), "0");
  EXPECT_EQ(Stored("Test"), "0");
  EXPECT_EQ(Stored("NotyfyErr"), "1");
  EXPECT_EQ(Stored("ClipStrNo"), "1");
  EXPECT_EQ(app.clip_strs.Entry(1), "<IMG WIDTH=&W HEIGHT=&H>");
}

// OK in relative mode stores the base as found on disk, or refuses it, keeps
// the window open and the typed mode and path in memory only.
struct BaseCase {
  PathStyle style;
  std::string typed;
  std::string stored;   // empty: refused
  std::string refusal;  // the message's first line
};
const char* const kMissing = "ディレクトリがありません";  // its text is selected

class RelativeBaseTest : public SettingsWindowTest, public ::testing::WithParamInterface<BaseCase> {
 protected:
  RelativeBaseTest() : SettingsWindowTest(GetParam().style) {}
};

TEST_P(RelativeBaseTest, OkStoresTheBaseFoundOnDiskOrRefusesIt) {
  const BaseCase& given = GetParam();
  const bool refused = given.stored.empty();
  view.checked[optRelative] = true;
  view.texts[txtBasePath] = given.typed;
  Press(btnOk);
  std::vector<BoxSeen> boxes{kSaveQuestion};
  if (refused) boxes.push_back(Told(given.refusal + "\n" + given.typed, BoxIcon::Information));
  EXPECT_EQ(Boxes(desktop), boxes);
  EXPECT_EQ(view.closed, !refused);
  EXPECT_EQ(Stored("RelativePath"), refused ? "" : "255");
  EXPECT_EQ(Stored("BasePath"), given.stored);
  EXPECT_EQ(app.options.RelativePath, 255);
  EXPECT_EQ(app.options.BasePath, refused ? given.typed : given.stored);
  const std::vector<SettingsControl> selected =
      given.refusal == kMissing ? std::vector{txtBasePath} : std::vector<SettingsControl>{};
  EXPECT_EQ(view.focused, selected);
  EXPECT_EQ(view.selected_all, selected);
}

INSTANTIATE_TEST_SUITE_P(
    Bases, RelativeBaseTest,
    ::testing::Values(BaseCase{PathStyle::Posix, "/srv/./Site/", "/srv/Site", ""},
                      BaseCase{PathStyle::Posix, "/srv/Gone", "", kMissing},
                      // Found from the current directory, but meaningless to later runs.
                      BaseCase{PathStyle::Posix, "img", "", "基準パスは絶対パスで指定してください"},
                      // The case on disk, the drive letter as typed.
                      BaseCase{PathStyle::Windows, "c:\\web\\img", "c:\\Web\\Img", ""},
                      BaseCase{PathStyle::Windows, "c:/web/img", "c:\\Web\\Img", ""}));

TEST_F(SettingsWindowTest, FailedSaveNamesTheFailureAndKeepsTheWindowOpen) {
  store.fail_changes = true;
  Press(btnOk);

  // One sentence, then the store's file and reason.
  EXPECT_THAT(Boxes(desktop),
              ElementsAre(kSaveQuestion, Told("設定を保存できませんでした。\n/home/u/.config/"
                                              "tagsmit/settings.json\nNo space left on device",
                                              BoxIcon::Critical)));
  EXPECT_FALSE(view.closed);
  EXPECT_TRUE(store.GetAll("Tagsmit", "init").empty());
}

// Upper-case placeholders are lowered; a new string goes on top, an existing
// one, compared with its letter case, is selected. A refused string brings the
// box back with the current string, not the refused one; Cancel changes nothing.
TEST_F(SettingsWindowTest, AddNormalisesPlaceholdersAndSelectsTheNewOrExistingString) {
  desktop.inputs = {"<IMG WIDTH=&w>", "<A HREF=\"&F\">&W x &H</A>", " WIDTH=&w HEIGHT=&H",
                    " width=&w height=&h"};
  Press(btnAdd);
  ASSERT_EQ(desktop.input_boxes.size(), 2u);
  EXPECT_THAT(Boxes(desktop), ElementsAre(kRefusedClipStr));
  EXPECT_EQ(desktop.input_boxes[1].default_text, kImageTag);
  EXPECT_EQ(desktop.input_boxes[0].title, "Tagsmit 入力");
  EXPECT_EQ(desktop.input_boxes[0].default_text, kImageTag);
  EXPECT_EQ(desktop.input_boxes[0].prompt,
            "貼り付け文字列を入力してください\n"
            "\n"
            "    ﾌｧｲﾙ名 ..... &f\n"
            "    幅 ................... &w\n"
            "    高さ  ............. &h           (&w および &h は1つずつ必要)");
  const char* added = "<A HREF=\"&f\">&w x &h</A>";
  EXPECT_THAT(Shown(), ElementsAre(added, kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, added);

  Press(btnAdd);
  EXPECT_THAT(Shown(), ElementsAre(added, kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kSizes);
  Press(btnAdd);
  EXPECT_THAT(Shown(), ElementsAre(" width=&w height=&h", added, kImageTag, kTail, kSizes));
  Press(btnAdd);  // then Cancel
  EXPECT_EQ(desktop.input_boxes.size(), 5u);
  EXPECT_THAT(Shown(), ElementsAre(" width=&w height=&h", added, kImageTag, kTail, kSizes));
}

TEST_F(SettingsWindowTest, DeletingTheOnlyEntryLeavesOkRefusingAndAddStartingFromIt) {
  FillClipStrList(app, desktop, "&w-&h\n");
  Press(btnDel);
  EXPECT_TRUE(Shown().empty());
  Press(btnDel);  // asks, and there is nothing more to do
  Press(btnOk);
  EXPECT_FALSE(view.closed);
  EXPECT_THAT(
      Boxes(desktop),
      ElementsAre(kDeleteQuestion, Told("貼り付け文字列がなくなりました", BoxIcon::Information),
                  kDeleteQuestion, kSaveQuestion, kRefusedClipStr));

  desktop.inputs = {"&w,&h"};
  Press(btnAdd);
  EXPECT_EQ(desktop.input_boxes.at(0).default_text, "&w-&h");  // the deleted text
  EXPECT_THAT(Shown(), ElementsAre("&w,&h"));
}

TEST_F(SettingsWindowTest, DeletingSelectsTheTopEntryAndDefaultsReplaceEveryEntry) {
  desktop.inputs = {"&w+&h"};
  Press(btnAdd);
  Press(cmbClipStr, 1);
  Press(btnDel);  // the image tag
  EXPECT_THAT(Shown(), ElementsAre("&w+&h", kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, "&w+&h");
  view.texts[txtFixedPath] = "typed/";
  const auto checked = view.checked;

  Press(btnDefault);

  EXPECT_THAT(Boxes(desktop),
              ElementsAre(kDeleteQuestion, Question("貼り付け文字列を標準に戻していいですか？")));
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kImageTag);
  EXPECT_EQ(view.texts[txtFixedPath], "typed/");
  EXPECT_EQ(view.checked, checked);
  EXPECT_EQ(store.saves, 0);
}

// No to a question of Delete, Defaults or OK changes nothing; Cancel closes
// without a question or a save.
TEST_F(SettingsWindowTest, NoToAQuestionChangesNothingAndCancelCloses) {
  FillClipStrList(app, desktop, "&w+&h\n");
  view.checked[optRelative] = true;
  view.texts[txtBasePath] = "/srv/Site";
  desktop.answers = {BoxAnswer::No, BoxAnswer::No, BoxAnswer::No};
  Press(btnDel);
  Press(btnDefault);
  Press(btnOk);
  EXPECT_THAT(app.clip_strs.Entries(), ElementsAre("&w+&h"));
  EXPECT_EQ(app.options.RelativePath, 0);
  EXPECT_EQ(app.options.BasePath, "/home/user/web");
  EXPECT_FALSE(view.closed);
  Press(btnCancel);
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(desktop.boxes.size(), 3u);
  EXPECT_EQ(store.saves, 0);
}

// The listing's names, each indented by its depth.
std::vector<std::string> Names(const DirListing& listing) {
  std::vector<std::string> names;
  for (const auto& entry : listing.entries)
    names.push_back(std::string(entry.depth, ' ') + entry.name);
  return names;
}

// The picker opens at the BasePath option, not at the typed text, or when that
// directory is missing at the current directory without a word. OK takes the
// opened directory into box and option; Cancel leaves both. The picker and the
// About window take the settings window off the topmost band while open.
TEST_F(SettingsWindowTest, PickerOpensAtTheBaseAndOkTakesTheOpenedDirectory) {
  app.options.BasePath = "/srv/Site";
  view.texts[txtBasePath] = "typed";
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    EXPECT_EQ(picker.Path(), "/srv/Site");
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("/", " srv", "  Site"));
    EXPECT_THAT(picker_view.entries[PickerControl::drvListBox], ElementsAre("/"));
    EXPECT_EQ(picker_view.selected_entry[PickerControl::drvListBox], 0);
    Press(picker, PickerControl::dirListBox, 0);
    EXPECT_EQ(picker.Path(), "/");
    Press(picker, PickerControl::Command2);
  });
  EXPECT_EQ(view.texts[txtBasePath], "typed");
  EXPECT_EQ(app.options.BasePath, "/srv/Site");

  app.options.BasePath = "/srv/Deleted";
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    EXPECT_THAT(Names(picker_view.listing),
                ElementsAre("/", " home", "  user", "   web", "    css", "    img"));
    Press(picker, PickerControl::dirListBox, 2);
    Press(picker, PickerControl::Command1);
  });
  EXPECT_EQ(view.texts[txtBasePath], "/home/user");
  EXPECT_EQ(app.options.BasePath, "/home/user");

  view.about_script = [](AboutForm& about, FakeAboutView&) {
    kAboutWindow.Raise(AboutControl::cmdOK, about);
  };
  Press(btnVer);
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_EQ(store.saves, 0);
  EXPECT_THAT(view.log,
              ElementsAre("settings:not-on-top", "picker:run", "picker:close", "settings:on-top",
                          "settings:not-on-top", "picker:run", "picker:close", "settings:on-top",
                          "settings:not-on-top", "about:run", "about:close", "settings:on-top"));
}

// A base on a drive that does not exist opens at the current directory; a
// drive that cannot be read is reported and the previous one returns.
TEST_F(WindowsSettingsWindowTest, PickerChangesToReadableDrivesOnly) {
  app.options.BasePath = "Q:\\Web";
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    EXPECT_EQ(picker.Path(), "C:\\Web");
    EXPECT_THAT(picker_view.entries[PickerControl::drvListBox],
                ElementsAre("A:\\", "C:\\", "D:\\"));
    EXPECT_EQ(picker_view.selected_entry[PickerControl::drvListBox], 1);
    Press(picker, PickerControl::dirListBox, 2);
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("C:\\", " Web", "  Img"));

    picker_view.selected_entry[PickerControl::drvListBox] = 0;  // the user picks A: in the list
    Press(picker, PickerControl::drvListBox, 0);
    EXPECT_EQ(picker.Path(), "C:\\Web\\Img");
    EXPECT_EQ(picker_view.selected_entry[PickerControl::drvListBox], 1);
    EXPECT_THAT(Boxes(desktop),
                ElementsAre(Told("ドライブを読み取れません\nA:\\", BoxIcon::Exclamation)));

    Press(picker, PickerControl::drvListBox, 2);
    EXPECT_EQ(picker_view.selected_entry[PickerControl::drvListBox], 2);
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("D:\\", " Photos"));
    EXPECT_EQ(picker_view.listing.entries[1].path, "D:\\Photos");
    Press(picker, PickerControl::Command1);  // without opening anything on D
  });
  EXPECT_EQ(app.options.BasePath, "D:\\");
}

}  // namespace
}  // namespace tagsmit::testing
