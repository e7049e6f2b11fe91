#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;
using enum SettingsControl;

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
  EXPECT_THAT(view.list, ElementsAre("<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">",
                                     "&f\" WIDTH=&w HEIGHT=&h>", " WIDTH=&w HEIGHT=&h"));
  EXPECT_EQ(view.list_selected, 0);
  EXPECT_THAT(view.log, ElementsAre("settings:on-top", "settings:show"));

  app.options.NotyfyErr = 2;  // a hand-edited value that reports nothing
  app.options.Test = 2;
  form.Open();
  EXPECT_FALSE(view.checked[chkNotify]);
  EXPECT_TRUE(view.checked[chkTest]);
}

TEST_F(SettingsWindowTest, PathModeSetsTheEnabledStatesOnOpeningAndOnEachClick) {
  const auto expect_mode = [this](bool relative) {
    EXPECT_EQ(view.checked[optRelative], relative);
    EXPECT_EQ(view.checked[optFixed], !relative);
    EXPECT_EQ(view.enabled[txtFixedPath], !relative);
    EXPECT_EQ(view.enabled[btnRef], relative);
    EXPECT_EQ(view.enabled[txtBasePath], relative);
  };
  for (const int stored : {0, 255}) {
    app.options.RelativePath = stored;
    form.Open();
    expect_mode(stored != 0);
  }
  view.checked[optRelative] = false;  // the user clicks optFixed
  view.checked[optFixed] = true;
  form.optFixed_Click();
  expect_mode(false);
  view.checked[optRelative] = true;
  form.optRelative_Click();
  expect_mode(true);
}

// The paste string is checked in a copy: the list keeps it as typed.
TEST_F(SettingsWindowTest, OkInFixedModeSavesTheControlsAsTyped) {
  app.clip_strs.InsertAtTop("<IMG WIDTH=&W HEIGHT=&H>");
  app.clip_strs.InsertAtTop("&w&h");
  Open();
  view.texts[txtFixedPath] = "  ../Img ";
  view.texts[txtBasePath] = "/no/such/dir";
  view.checked[chkLower] = true;
  view.checked[chkTest] = true;
  form.cmbClipStr_Click(1);

  form.btnOk_Click();

  EXPECT_THAT(Boxes(desktop), ElementsAre(kSaveQuestion));
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("FixedPath"), "  ../Img ");
  EXPECT_EQ(Stored("BasePath"), "/no/such/dir");
  EXPECT_EQ(Stored("RelativePath"), "0");
  EXPECT_EQ(Stored("LowerCase"), "1");
  EXPECT_EQ(Stored("Test"), "1");
  EXPECT_EQ(Stored("NotyfyErr"), "0");
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
  Open();
  view.checked[optRelative] = true;
  view.texts[txtBasePath] = given.typed;
  form.btnOk_Click();
  if (!given.stored.empty()) {
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(Stored("RelativePath"), "255");
    EXPECT_EQ(Stored("BasePath"), given.stored);
    return;
  }
  EXPECT_THAT(Boxes(desktop), ElementsAre(kSaveQuestion, Told(given.refusal + "\r\n" + given.typed,
                                                              BoxIcon::Information)));
  const std::vector<SettingsControl> selected =
      given.refusal == kMissing ? std::vector{txtBasePath} : std::vector<SettingsControl>{};
  EXPECT_EQ(view.focused, selected);
  EXPECT_EQ(view.selected_all, selected);
  EXPECT_FALSE(view.closed);
  EXPECT_EQ(store.saves, 0);
  EXPECT_EQ(app.options.RelativePath, 255);
  EXPECT_EQ(app.options.BasePath, given.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Bases, RelativeBaseTest,
    ::testing::Values(BaseCase{PathStyle::Posix, "/srv/./Site/", "/srv/Site", ""},
                      BaseCase{PathStyle::Posix, "/srv/Gone", "", kMissing},
                      // Found from the current directory, but meaningless to later runs.
                      BaseCase{PathStyle::Posix, "img", "", "基準パスは絶対パスで指定してください"},
                      // The case on disk, the drive letter as typed.
                      BaseCase{PathStyle::Windows, "c:\\web\\img", "c:\\Web\\Img", ""},
                      // C:\Web\Img from the current directory; without a drive it is not found.
                      BaseCase{PathStyle::Windows, "Img", "", kMissing}));

TEST_F(SettingsWindowTest, FailedSaveNamesTheFailureAndKeepsTheWindowOpen) {
  store.fail_saves = true;
  Open();
  form.btnOk_Click();

  ASSERT_EQ(desktop.boxes.size(), 2u);
  const std::string lead = "設定を保存できませんでした。\r\n";
  EXPECT_THAT(desktop.boxes[1].prompt, ::testing::StartsWith(lead));
  EXPECT_GT(desktop.boxes[1].prompt.size(), lead.size());
  EXPECT_EQ(Boxes(desktop)[1], Told(desktop.boxes[1].prompt, BoxIcon::Critical));
  EXPECT_FALSE(view.closed);
  EXPECT_TRUE(store.GetAll("Tagsmit", "init").empty());

  store.fail_saves = false;  // the user frees the disk and tries again
  form.btnOk_Click();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("version"), "115");
}

TEST_F(SettingsWindowTest, VersionButtonShowsAboutOffTheTopmostBandAndRestoresIt) {
  Open();
  view.about_script = [](AboutForm& about, FakeAboutView& about_view) {
    EXPECT_EQ(about_view.texts[AboutText::lblVersion], "ﾊﾞｰｼﾞｮﾝ 1.1.5");
    about.cmdOK_Click();
  };
  form.btnVer_Click();
  EXPECT_THAT(view.log,
              ElementsAre("settings:not-on-top", "about:run", "about:close", "settings:on-top"));
}

}  // namespace
}  // namespace tagsmit::testing
