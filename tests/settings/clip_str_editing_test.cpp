#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kImageTag = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";
constexpr const char* kTail = "&f\" WIDTH=&w HEIGHT=&h>";
constexpr const char* kSizes = " WIDTH=&w HEIGHT=&h";
const BoxSeen kRefusedClipStr{
    "貼り付け文字列には \"&w\" と  \"&h\" を必ず1つずつ以上指定してください。",
    BoxIcon::Exclamation, BoxButtons::Ok, "設定エラー"};
const BoxSeen kDeleteQuestion = Question("この貼り付け文字列を削除してもいいですか？");

class ClipStrEditingTest : public SettingsWindowTest {
 protected:
  void SetUp() override {
    SettingsWindowTest::SetUp();
    Open();
  }
  // The list as the window shows it, checked against the list itself.
  std::vector<std::string> Shown() {
    EXPECT_EQ(view.list, app.clip_strs.Entries());
    EXPECT_EQ(view.list_selected, app.clip_strs.SelectedIndex());
    return view.list;
  }
};

TEST_F(ClipStrEditingTest, AddedStringStandsOnTopSelectedWithLowerCasePlaceholders) {
  desktop.inputs = {"<A HREF=\"&F\">&W x &H</A>"};
  form.btnAdd_Click();
  ASSERT_EQ(desktop.input_boxes.size(), 1u);
  EXPECT_EQ(desktop.input_boxes[0].title, "Tagsmit 入力");
  EXPECT_EQ(desktop.input_boxes[0].default_text, kImageTag);
  EXPECT_EQ(desktop.input_boxes[0].prompt,
            "貼り付け文字列を入力してください\r\n"
            "\r\n"
            "    ﾌｧｲﾙ名 ..... &f\r\n"
            "    幅 ................... &w\r\n"
            "    高さ  ............. &h           (&w および &h は1つずつ必要)");
  EXPECT_THAT(Shown(), ElementsAre("<A HREF=\"&f\">&w x &h</A>", kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, "<A HREF=\"&f\">&w x &h</A>");
}

TEST_F(ClipStrEditingTest, ExistingStringIsSelectedButOtherLetterCaseIsNew) {
  desktop.inputs = {" WIDTH=&w HEIGHT=&H"};  // the third entry once normalised
  form.btnAdd_Click();
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kSizes);

  desktop.inputs = {" width=&w height=&h"};
  form.btnAdd_Click();
  EXPECT_THAT(Shown(), ElementsAre(" width=&w height=&h", kImageTag, kTail, kSizes));
}

TEST_F(ClipStrEditingTest, RefusedStringBringsTheBoxBackWithTheCurrentString) {
  desktop.inputs = {"<IMG WIDTH=&w>", "&w&h"};
  form.btnAdd_Click();
  ASSERT_EQ(desktop.input_boxes.size(), 2u);
  EXPECT_EQ(desktop.input_boxes[1].default_text, kImageTag);
  EXPECT_THAT(desktop.events, ElementsAre("input", "box", "input"));
  EXPECT_THAT(Boxes(desktop), ElementsAre(kRefusedClipStr));
  EXPECT_THAT(Shown(), ElementsAre("&w&h", kImageTag, kTail, kSizes));

  desktop.inputs = {"&f only"};  // then Cancel
  form.btnAdd_Click();
  EXPECT_EQ(desktop.input_boxes.size(), 4u);
  EXPECT_THAT(Shown(), ElementsAre("&w&h", kImageTag, kTail, kSizes));
}

TEST_F(ClipStrEditingTest, DeletingTheMiddleEntrySelectsTheTopOne) {
  form.cmbClipStr_Click(1);
  form.btnDel_Click();
  EXPECT_THAT(Boxes(desktop), ElementsAre(kDeleteQuestion));
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kImageTag);
}

TEST_F(ClipStrEditingTest, DeletingTheOnlyEntryLeavesOkRefusingAndAddStartingFromIt) {
  app.clip_strs.Clear();
  app.clip_strs.InsertAtTop("&w-&h");
  app.clip_strs.Select(0);
  form.btnDel_Click();
  EXPECT_TRUE(Shown().empty());
  form.btnOk_Click();
  EXPECT_FALSE(view.closed);
  EXPECT_EQ(store.saves, 0);
  EXPECT_THAT(
      Boxes(desktop),
      ElementsAre(kDeleteQuestion, Told("貼り付け文字列がなくなりました", BoxIcon::Information),
                  kSaveQuestion, kRefusedClipStr));

  desktop.inputs = {"&w,&h"};
  form.btnAdd_Click();
  EXPECT_EQ(desktop.input_boxes.at(0).default_text, "&w-&h");  // the deleted text
  EXPECT_THAT(Shown(), ElementsAre("&w,&h"));
}

TEST_F(ClipStrEditingTest, DeletingFromAnEmptyListAsksAndDoesNothingMore) {
  app.clip_strs.Clear();
  form.btnDel_Click();
  EXPECT_THAT(Boxes(desktop), ElementsAre(kDeleteQuestion));
  EXPECT_TRUE(app.clip_strs.Entries().empty());
}

TEST_F(ClipStrEditingTest, DefaultsReplaceEveryEntryAndLeaveTheOtherControls) {
  desktop.inputs = {"&w+&h"};
  form.btnAdd_Click();
  form.cmbClipStr_Click(1);
  form.btnDel_Click();  // the image tag
  view.texts[SettingsControl::txtFixedPath] = "typed/";
  const auto checked = view.checked;

  form.btnDefault_Click();

  EXPECT_EQ(Boxes(desktop).back(), Question("貼り付け文字列を標準に戻していいですか？"));
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kImageTag);
  EXPECT_EQ(view.texts[SettingsControl::txtFixedPath], "typed/");
  EXPECT_EQ(view.checked, checked);
  EXPECT_EQ(store.saves, 0);
}

// No to a question of Delete, Defaults or OK changes nothing; Cancel closes
// without a question or a save.
TEST_F(ClipStrEditingTest, NoToAQuestionChangesNothingAndCancelCloses) {
  desktop.inputs = {"&w+&h"};
  form.btnAdd_Click();
  view.checked[SettingsControl::optRelative] = true;
  view.texts[SettingsControl::txtBasePath] = "/srv/Site";
  const Options before = app.options;
  desktop.answers = {BoxAnswer::No, BoxAnswer::No, BoxAnswer::No};
  form.btnDel_Click();
  form.btnDefault_Click();
  form.btnOk_Click();
  EXPECT_THAT(Shown(), ElementsAre("&w+&h", kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.RelativePath, before.RelativePath);
  EXPECT_EQ(app.options.BasePath, before.BasePath);
  EXPECT_FALSE(view.closed);
  form.btnCancel_Click();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(desktop.boxes.size(), 3u);
  EXPECT_EQ(store.saves, 0);
}

}  // namespace
}  // namespace tagsmit::testing
