// The settings window's logic: its handlers, the directory picker and the
// directory tree, over fake views and services.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about_controls.h"
#include "fake_file_system.h"
#include "fake_views.h"
#include "memory_settings_store.h"
#include "run/app.h"
#include "run/settings.h"
#include "scripted_desktop.h"
#include "settings/dir_picker.h"
#include "settings/dir_tree.h"
#include "settings/main_form.h"
#include "settings/settings_controls.h"
#include "window_spec_checks.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using enum SettingsControl;

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
    EXPECT_EQ(view.list, app.clip_strs.Entries());
    EXPECT_EQ(view.list_selected, app.clip_strs.SelectedIndex());
    return view.list;
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
  ExpectCompleteWindow(kSettingsWindow, static_cast<int>(Label1) + 1);
  ExpectCompleteWindow(kPickerWindow, static_cast<int>(PickerControl::Command2) + 1);
}

// Every check box is bound to a stored switch of its own: ticking one box
// alone and pressing OK turns on its switch, and no other, for the next start.
TEST_F(SettingsWindowTest, EachCheckBoxSavesASwitchOfItsOwn) {
  std::vector<SettingsControl> boxes;
  for (const SettingsControlSpec& spec : kSettingsWindow.controls) {
    EXPECT_EQ(spec.look.kind == ControlKind::CheckBox, spec.binding.option != nullptr)
        << spec.look.name;
    if (spec.binding.option != nullptr) boxes.push_back(spec.control);
  }
  for (const SettingsControl ticked : boxes) {
    for (const SettingsControl box : boxes) view.checked[box] = box == ticked;
    Press(btnOk);
    AppState next;
    SetDefaults(next.options, desktop.identity);
    LoadSettings(next, services);
    for (const SettingsControl box : boxes) {
      EXPECT_EQ(next.options.*kSettingsWindow.Find(box).binding.option, box == ticked ? 1 : 0)
          << kSettingsWindow.Find(box).look.name << " after ticking "
          << kSettingsWindow.Find(ticked).look.name;
    }
  }
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
    EXPECT_THAT(picker_view.drives, ElementsAre("/"));
    EXPECT_EQ(picker_view.selected_drive, 0);
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
    EXPECT_THAT(picker_view.drives, ElementsAre("A:\\", "C:\\", "D:\\"));
    EXPECT_EQ(picker_view.selected_drive, 1);
    Press(picker, PickerControl::dirListBox, 2);
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("C:\\", " Web", "  Img"));

    picker_view.selected_drive = 0;  // the user picks A: in the list
    Press(picker, PickerControl::drvListBox, 0);
    EXPECT_EQ(picker.Path(), "C:\\Web\\Img");
    EXPECT_EQ(picker_view.selected_drive, 1);
    EXPECT_THAT(Boxes(desktop),
                ElementsAre(Told("ドライブを読み取れません\nA:\\", BoxIcon::Exclamation)));

    Press(picker, PickerControl::drvListBox, 2);
    EXPECT_EQ(picker_view.selected_drive, 2);
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("D:\\", " Photos"));
    EXPECT_EQ(picker_view.listing.entries[1].path, "D:\\Photos");
    Press(picker, PickerControl::Command1);  // without opening anything on D
  });
  EXPECT_EQ(app.options.BasePath, "D:\\");
}

}  // namespace
}  // namespace tagsmit::testing
