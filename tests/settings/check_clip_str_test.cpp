#include "settings/check_clip_str.h"

#include <gtest/gtest.h>

#include "scripted_desktop.h"

namespace tagsmit::testing {
namespace {

struct CheckCase {
  std::string given;
  bool accepted;
  std::string normalised;
};

class CheckClipStrTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckClipStrTest, AcceptsWidthAndHeightInEitherCaseAndNormalises) {
  ScriptedDesktop desktop;
  std::string text = GetParam().given;
  EXPECT_EQ(CheckClipStr(text, desktop), GetParam().accepted);
  EXPECT_EQ(text, GetParam().normalised);
  if (GetParam().accepted) {
    EXPECT_TRUE(desktop.boxes.empty());
  } else {
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].prompt,
              "貼り付け文字列には \"&w\" と  \"&h\" を必ず1つずつ以上指定してください。");
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::Ok);
    EXPECT_EQ(desktop.boxes[0].title, "設定エラー");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CheckClipStrTest,
    ::testing::Values(CheckCase{"<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h>", true,
                                "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h>"},
                      CheckCase{"<IMG SRC=\"&F\" WIDTH=&W HEIGHT=&H>", true,
                                "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h>"},
                      CheckCase{"&W&h", true, "&w&h"},           // mixed forms
                      CheckCase{"&w&w&h&H", true, "&w&w&h&h"},   // repeats allowed
                      CheckCase{"&w x &h", true, "&w x &h"},     // no path needed
                      CheckCase{"WIDTH=&w", false, "WIDTH=&w"},  // no height
                      CheckCase{"&F HEIGHT=&H", false, "&f HEIGHT=&h"},
                      CheckCase{"&&ww &hh", true, "&&ww &hh"},  // found inside longer runs
                      CheckCase{"", false, ""}));

}  // namespace
}  // namespace tagsmit::testing
