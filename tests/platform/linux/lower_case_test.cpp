#include "platform/linux/lower_case.h"

#include <gtest/gtest.h>

namespace tagsmit {
namespace {

TEST(LowerCaseTest, WholePathIncludingLettersBeyondAscii) {
  EXPECT_EQ(LowerCaseUtf8("../Ωμέγα/ДОМ.JPG"), "../ωμέγα/дом.jpg");
}

TEST(LowerCaseTest, TextWithoutCaseStaysAsItIs) {
  EXPECT_EQ(LowerCaseUtf8("画像/ｸﾘｯﾌﾟ 1.gif"), "画像/ｸﾘｯﾌﾟ 1.gif");
  EXPECT_EQ(LowerCaseUtf8("𝔸-😀.gif"), "𝔸-😀.gif");  // four-byte characters survive
  EXPECT_EQ(LowerCaseUtf8(""), "");
}

TEST(LowerCaseTest, BytesThatAreNotUtf8PassUnchanged) {
  // A Latin-1 file name, a truncated sequence, an overlong form, a surrogate.
  EXPECT_EQ(LowerCaseUtf8("A\xC4"
                          "B.GIF"),
            "a\xC4"
            "b.gif");
  EXPECT_EQ(LowerCaseUtf8("X\xE3\x81"), "x\xE3\x81");
  EXPECT_EQ(LowerCaseUtf8("\xC0\xC1Q"), "\xC0\xC1q");
  EXPECT_EQ(LowerCaseUtf8("\xED\xA0\x80Z"), "\xED\xA0\x80z");
}

}  // namespace
}  // namespace tagsmit
