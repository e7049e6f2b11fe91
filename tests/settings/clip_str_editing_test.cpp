#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kImageTag = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";
constexpr const char* kTail = "&f\" WIDTH=&w HEIGHT=&h>";
constexpr const char* kSizes = " WIDTH=&w HEIGHT=&h";

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

// --- Add -------------------------------------------------------------------------

TEST_F(ClipStrEditingTest, AddShowsTheInputBoxWithItsPromptTitleAndDefault) {
  desktop.inputs = {""};
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
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
}

TEST_F(ClipStrEditingTest, AddedStringStandsOnTopSelectedWithLowerCasePlaceholders) {
  desktop.inputs = {"<A HREF=\"&F\">&W x &H</A>"};
  form.btnAdd_Click();
  EXPECT_THAT(Shown(), ElementsAre("<A HREF=\"&f\">&w x &h</A>", kImageTag, kTail, kSizes));
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 0);
  EXPECT_EQ(app.options.CurClipStr, "<A HREF=\"&f\">&w x &h</A>");
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ClipStrEditingTest, AddingAnExistingStringSelectsItInstead) {
  desktop.inputs = {" WIDTH=&W HEIGHT=&H"};  // the third entry once normalised
  form.btnAdd_Click();
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 2);
  EXPECT_EQ(app.options.CurClipStr, kSizes);
}

TEST_F(ClipStrEditingTest, StringDifferingOnlyInOtherLetterCaseIsANewEntry) {
  desktop.inputs = {" width=&w height=&h"};
  form.btnAdd_Click();
  EXPECT_THAT(Shown(), ElementsAre(" width=&w height=&h", kImageTag, kTail, kSizes));
}

TEST_F(ClipStrEditingTest, RefusedStringBringsTheBoxBackWithTheCurrentString) {
  desktop.inputs = {"<IMG WIDTH=&w>", "&w&h"};
  form.btnAdd_Click();

  ASSERT_EQ(desktop.input_boxes.size(), 2u);
  EXPECT_EQ(desktop.input_boxes[1].default_text, kImageTag);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt,
            "貼り付け文字列には \"&w\" と  \"&h\" を必ず1つずつ以上指定してください。");
  EXPECT_EQ(desktop.boxes[0].title, "設定エラー");
  EXPECT_THAT(desktop.events, ElementsAre("input", "box", "input"));
  EXPECT_THAT(Shown(), ElementsAre("&w&h", kImageTag, kTail, kSizes));
}

TEST_F(ClipStrEditingTest, CancelAfterARefusalChangesNothing) {
  desktop.inputs = {"&f only"};  // then Cancel: nothing more queued
  form.btnAdd_Click();
  EXPECT_EQ(desktop.input_boxes.size(), 2u);
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kImageTag);
}

TEST_F(ClipStrEditingTest, AddingToAnEmptyListGivesOneSelectedEntry) {
  app.clip_strs.Clear();
  desktop.inputs = {"&w,&h"};
  form.btnAdd_Click();
  EXPECT_THAT(Shown(), ElementsAre("&w,&h"));
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 0);
}

// --- Delete ------------------------------------------------------------------------

TEST_F(ClipStrEditingTest, DeletingTheMiddleEntrySelectsTheTopOne) {
  form.cmbClipStr_Click(1);
  form.btnDel_Click();
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, "この貼り付け文字列を削除してもいいですか？");
  EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Question);
  EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::YesNo);
  EXPECT_EQ(desktop.boxes[0].title, "Tagsmit");
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kImageTag);
}

TEST_F(ClipStrEditingTest, NoToTheDeleteQuestionKeepsTheEntry) {
  Answer({BoxAnswer::No});
  form.btnDel_Click();
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
}

TEST_F(ClipStrEditingTest, DeletingTheOnlyEntryReportsAnEmptyListAndOkRefusesToSave) {
  app.clip_strs.Clear();
  app.clip_strs.InsertAtTop("&w-&h");
  app.clip_strs.Select(0);
  form.btnDel_Click();

  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[1].prompt, "貼り付け文字列がなくなりました");
  EXPECT_EQ(desktop.boxes[1].icon, BoxIcon::Information);
  EXPECT_EQ(desktop.boxes[1].buttons, BoxButtons::Ok);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(app.options.CurClipStr, "&w-&h");  // keeps the deleted text

  form.btnOk_Click();
  ASSERT_EQ(desktop.boxes.size(), 4u);
  EXPECT_EQ(desktop.boxes[3].title, "設定エラー");
  EXPECT_FALSE(view.closed);
}

TEST_F(ClipStrEditingTest, DeletingFromAnEmptyListAsksAndDoesNothingMore) {
  app.clip_strs.Clear();
  form.btnDel_Click();
  EXPECT_EQ(desktop.boxes.size(), 1u);
  EXPECT_TRUE(app.clip_strs.Entries().empty());
}

// --- Back to the defaults ------------------------------------------------------------

TEST_F(ClipStrEditingTest, DefaultsReplaceEveryEntryAndLeaveTheOtherControls) {
  desktop.inputs = {"&w+&h"};
  form.btnAdd_Click();
  form.btnDel_Click();  // removes the added top entry
  form.btnDel_Click();  // and the image tag
  view.texts[SettingsControl::txtFixedPath] = "typed/";
  const auto checked = view.checked;

  form.btnDefault_Click();

  EXPECT_EQ(desktop.boxes.back().prompt, "貼り付け文字列を標準に戻していいですか？");
  EXPECT_EQ(desktop.boxes.back().icon, BoxIcon::Question);
  EXPECT_EQ(desktop.boxes.back().buttons, BoxButtons::YesNo);
  EXPECT_THAT(Shown(), ElementsAre(kImageTag, kTail, kSizes));
  EXPECT_EQ(app.options.CurClipStr, kImageTag);
  EXPECT_EQ(view.texts[SettingsControl::txtFixedPath], "typed/");
  EXPECT_EQ(view.checked, checked);
  EXPECT_EQ(store.saves, 0);
}

TEST_F(ClipStrEditingTest, NoToTheDefaultsQuestionKeepsTheList) {
  desktop.inputs = {"&w+&h"};
  form.btnAdd_Click();
  Answer({BoxAnswer::No});
  form.btnDefault_Click();
  EXPECT_THAT(Shown(), ElementsAre("&w+&h", kImageTag, kTail, kSizes));
}

}  // namespace
}  // namespace tagsmit::testing
