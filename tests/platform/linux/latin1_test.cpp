#include <gtest/gtest.h>

#include "platform/x11/clipboard_owner.h"

namespace tagsmit::x11 {
namespace {

TEST(Latin1FromUtf8Test, KeepsLatin1AndMarksTheRest) {
  EXPECT_EQ(Latin1FromUtf8("<IMG SRC=\"./a.gif\">"), "<IMG SRC=\"./a.gif\">");
  EXPECT_EQ(Latin1FromUtf8("café ü"), "caf\xE9 \xFC");
  EXPECT_EQ(Latin1FromUtf8("画像.gif"), "??.gif");
  EXPECT_EQ(Latin1FromUtf8("😀"), "?");
}

TEST(Latin1FromUtf8Test, InvalidBytesBecomeOneMarkEach) {
  EXPECT_EQ(Latin1FromUtf8("a\xFF"
                           "b"),
            "a?b");
  EXPECT_EQ(Latin1FromUtf8("a\xC3"), "a?");  // cut short at the end
  EXPECT_EQ(Latin1FromUtf8("\xE3\x81"
                           "x"),
            "??x");
}

}  // namespace
}  // namespace tagsmit::x11
