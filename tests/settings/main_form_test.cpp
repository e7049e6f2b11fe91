#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "path/reference_path.h"
#include "settings_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using enum SettingsControl;

constexpr const char* kImageTag = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";

// --- Opening -------------------------------------------------------------

TEST_F(SettingsWindowTest, OpeningPlacesFillsAndShowsTheWindowOnTop) {
  app.options.NotyfyErr = 1;
  app.options.Test = 0;
  app.options.LowerCase = 1;
  app.options.FixedPath = "images/";
  app.options.BasePath = "/srv/Site";
  view.screen = {1000, 700};
  view.window = {400, 100};

  form.Open();

  EXPECT_EQ(view.left, 300);
  EXPECT_EQ(view.top, 200);  // a third of the free height above
  EXPECT_TRUE(view.checked[chkNotify]);
  EXPECT_FALSE(view.checked[chkTest]);
  EXPECT_TRUE(view.checked[chkLower]);
  EXPECT_EQ(view.texts[txtFixedPath], "images/");
  EXPECT_EQ(view.texts[txtBasePath], "/srv/Site");
  EXPECT_THAT(view.list, ElementsAre(kImageTag, "&f\" WIDTH=&w HEIGHT=&h>", " WIDTH=&w HEIGHT=&h"));
  EXPECT_EQ(view.list_selected, 0);
  EXPECT_THAT(view.record.log, ElementsAre("settings:on-top", "settings:show"));
}

TEST_F(SettingsWindowTest, OpeningInRelativeModeEnablesTheBaseControls) {
  app.options.RelativePath = 255;
  form.Open();
  EXPECT_TRUE(view.checked[optRelative]);
  EXPECT_FALSE(view.checked[optFixed]);
  EXPECT_FALSE(view.enabled[txtFixedPath]);
  EXPECT_TRUE(view.enabled[btnRef]);
  EXPECT_TRUE(view.enabled[txtBasePath]);
}

TEST_F(SettingsWindowTest, OpeningInFixedModeEnablesThePrefixBox) {
  app.options.RelativePath = 0;
  form.Open();
  EXPECT_FALSE(view.checked[optRelative]);
  EXPECT_TRUE(view.checked[optFixed]);
  EXPECT_TRUE(view.enabled[txtFixedPath]);
  EXPECT_FALSE(view.enabled[btnRef]);
  EXPECT_FALSE(view.enabled[txtBasePath]);
}

TEST_F(SettingsWindowTest, ErrorReportBoxIsTickedOnlyForTheValueThatReports) {
  app.options.NotyfyErr = 2;  // a hand-edited value that reports nothing
  app.options.Test = 2;
  form.Open();
  EXPECT_FALSE(view.checked[chkNotify]);
  EXPECT_TRUE(view.checked[chkTest]);
}

// --- Option buttons and the list ------------------------------------------

TEST_F(SettingsWindowTest, OptionButtonsToggleTheEnabledStatesEachTime) {
  Open();
  for (int round = 0; round < 2; ++round) {
    view.checked[optRelative] = true;  // the user clicks optRelative
    form.optRelative_Click();
    EXPECT_FALSE(view.checked[optFixed]);
    EXPECT_FALSE(view.enabled[txtFixedPath]);
    EXPECT_TRUE(view.enabled[btnRef] && view.enabled[txtBasePath]);

    view.checked[optRelative] = false;  // the user clicks optFixed
    view.checked[optFixed] = true;
    form.optFixed_Click();
    EXPECT_TRUE(view.checked[optFixed]);
    EXPECT_TRUE(view.enabled[txtFixedPath]);
    EXPECT_FALSE(view.enabled[btnRef] || view.enabled[txtBasePath]);
  }
}

TEST_F(SettingsWindowTest, PickingAListEntryMakesItTheCurrentPasteString) {
  Open();
  form.cmbClipStr_Click(2);
  EXPECT_EQ(app.options.CurClipStr, " WIDTH=&w HEIGHT=&h");
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 2);
}

// --- OK ----------------------------------------------------------------------

TEST_F(SettingsWindowTest, OkInFixedModeSavesTheControlsAsTyped) {
  Open();
  view.texts[txtFixedPath] = "  ../Img ";
  view.texts[txtBasePath] = "/no/such/dir";
  view.checked[chkLower] = true;
  view.checked[chkTest] = true;
  form.cmbClipStr_Click(1);

  form.btnOk_Click();

  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, "設定を保存し終了します。よろしいですか？");
  EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Question);
  EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::YesNo);
  EXPECT_EQ(desktop.boxes[0].title, "Tagsmit");
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("FixedPath"), "  ../Img ");
  EXPECT_EQ(Stored("BasePath"), "/no/such/dir");
  EXPECT_EQ(Stored("RelativePath"), "0");
  EXPECT_EQ(Stored("LowerCase"), "1");
  EXPECT_EQ(Stored("Test"), "1");
  EXPECT_EQ(Stored("NotyfyErr"), "0");
  EXPECT_EQ(Stored("ClipStrNo"), "1");
}

TEST_F(SettingsWindowTest, NoToTheConfirmationChangesNothing) {
  Open();
  const Options before = app.options;
  view.checked[optRelative] = true;
  view.texts[txtBasePath] = "/srv/Site";
  Answer({BoxAnswer::No});

  form.btnOk_Click();

  EXPECT_FALSE(view.closed);
  EXPECT_EQ(app.options.RelativePath, before.RelativePath);
  EXPECT_EQ(app.options.BasePath, before.BasePath);
  EXPECT_EQ(store.saves, 0);
}

TEST_F(SettingsWindowTest, OkWithASelectedStringWithoutHeightIsRefused) {
  app.clip_strs.InsertAtTop("<IMG WIDTH=&w>");
  app.clip_strs.Select(0);
  Open();
  form.btnOk_Click();
  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[1].title, "設定エラー");
  EXPECT_FALSE(view.closed);
  EXPECT_EQ(store.saves, 0);
}

TEST_F(SettingsWindowTest, OkChecksACopyOfTheSelectedString) {
  app.clip_strs.InsertAtTop("<IMG WIDTH=&W HEIGHT=&H>");
  app.clip_strs.Select(0);
  Open();
  form.btnOk_Click();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(app.clip_strs.Entry(0), "<IMG WIDTH=&W HEIGHT=&H>");
}

TEST_F(SettingsWindowTest, OkInRelativeModeStoresTheBaseAsFoundOnDisk) {
  fs.AddDirectory("/srv/Site/Pages");
  Open();
  view.checked[optRelative] = true;
  view.texts[txtBasePath] = "/srv/Site/Pages/";
  form.btnOk_Click();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("RelativePath"), "255");
  EXPECT_EQ(Stored("BasePath"), GetActualPath(fs, "/srv/Site/Pages/"));
  EXPECT_FALSE(Stored("BasePath").empty());
}

TEST_F(SettingsWindowTest, OkInRelativeModeWithAMissingBaseSelectsItsText) {
  Open();
  view.checked[optRelative] = true;
  view.texts[txtBasePath] = "/srv/Gone";
  form.btnOk_Click();

  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[1].prompt, "ディレクトリがありません\r\n/srv/Gone");
  EXPECT_EQ(desktop.boxes[1].icon, BoxIcon::Information);
  EXPECT_EQ(desktop.boxes[1].buttons, BoxButtons::Ok);
  EXPECT_EQ(desktop.boxes[1].title, "Tagsmit");
  EXPECT_THAT(view.focused, ElementsAre(txtBasePath));
  EXPECT_THAT(view.selected_all, ElementsAre(txtBasePath));
  EXPECT_FALSE(view.closed);
  EXPECT_EQ(store.saves, 0);
  // The new mode and path are kept in memory; only a later OK stores them.
  EXPECT_EQ(app.options.RelativePath, 255);
  EXPECT_EQ(app.options.BasePath, "/srv/Gone");
}

TEST_F(SettingsWindowTest, OkInRelativeModeRefusesABaseThatIsNotAbsolute) {
  Open();
  view.checked[optRelative] = true;
  view.texts[txtBasePath] = "img";  // found from the current directory
  ASSERT_FALSE(GetActualPath(fs, "img").empty());
  form.btnOk_Click();

  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[1].prompt, "基準パスは絶対パスで指定してください\r\nimg");
  EXPECT_EQ(desktop.boxes[1].icon, BoxIcon::Information);
  EXPECT_TRUE(view.focused.empty());
  EXPECT_FALSE(view.closed);
  EXPECT_EQ(store.saves, 0);
}

TEST_F(SettingsWindowTest, FailedSaveNamesTheFailureAndKeepsTheWindowOpen) {
  store.fail_saves = true;
  Open();
  form.btnOk_Click();

  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_THAT(desktop.boxes[1].prompt, ::testing::StartsWith("設定を保存できませんでした。\r\n"));
  EXPECT_GT(desktop.boxes[1].prompt.size(), std::string{"設定を保存できませんでした。\r\n"}.size());
  EXPECT_EQ(desktop.boxes[1].icon, BoxIcon::Critical);
  EXPECT_EQ(desktop.boxes[1].buttons, BoxButtons::Ok);
  EXPECT_EQ(desktop.boxes[1].title, "Tagsmit");
  EXPECT_FALSE(view.closed);
  EXPECT_TRUE(store.GetAll("Tagsmit", "init").empty());

  store.fail_saves = false;  // the user frees the disk and tries again
  form.btnOk_Click();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("version"), "115");
}

TEST_F(SettingsWindowTest, CancelClosesWithoutAskingOrSaving) {
  Open();
  form.btnCancel_Click();
  EXPECT_TRUE(view.closed);
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_EQ(store.saves, 0);
}

// On Windows the base path needs its drive colon; the case on disk is kept.
class WindowsSettingsWindowTest : public SettingsWindowTest {
 protected:
  WindowsSettingsWindowTest() : SettingsWindowTest(PathStyle::Windows) {}
  void SetUp() override {
    fs.AddDirectory("C:\\Web\\Img");
    fs.SetCurrentDirectory("C:\\Web");
    SettingsWindowTest::SetUp();
    Open();
    view.checked[optRelative] = true;
  }
};

TEST_F(WindowsSettingsWindowTest, OkStoresTheBaseInTheCaseOnDisk) {
  view.texts[txtBasePath] = "c:\\web\\img";
  form.btnOk_Click();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("BasePath"), "c:\\Web\\Img");  // the drive letter as typed
}

TEST_F(WindowsSettingsWindowTest, OkRefusesABaseWithoutDriveColon) {
  // The lookup finds nothing for a path without a drive, so this is reported
  // as a missing directory before the colon test is reached.
  view.texts[txtBasePath] = "Img";
  form.btnOk_Click();
  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[1].prompt, "ディレクトリがありません\r\nImg");
  EXPECT_FALSE(view.closed);
  EXPECT_EQ(store.saves, 0);
}

// --- About ---------------------------------------------------------------------

TEST_F(SettingsWindowTest, VersionButtonShowsAboutOffTheTopmostBandAndRestoresIt) {
  Open();
  view.about_script = [](AboutForm& about, FakeAboutView& about_view) {
    EXPECT_EQ(about_view.texts[AboutText::lblVersion], "ﾊﾞｰｼﾞｮﾝ 1.1.5");
    about.cmdOK_Click();
  };
  form.btnVer_Click();
  EXPECT_THAT(view.record.log,
              ElementsAre("settings:not-on-top", "about:run", "about:close", "settings:on-top"));
}

}  // namespace
}  // namespace tagsmit::testing
