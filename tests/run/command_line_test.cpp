#include "run/command_line.h"

#include <gtest/gtest.h>

namespace tagsmit {
namespace {

using std::optional;
using std::string;

TEST(SplitCommandLineTest, QuotedNameWinsWhereverItStands) {
  EXPECT_EQ(SplitCommandLine("\"C:\\My Pictures\\a.gif\""), "C:\\My Pictures\\a.gif");
  EXPECT_EQ(SplitCommandLine("C:\\a.gif \"C:\\b c.gif\""), "C:\\b c.gif");
  // Text before the first quote and after the second is dropped.
  EXPECT_EQ(SplitCommandLine("x\"a.gif\"y \"b.gif\""), "a.gif");
  EXPECT_EQ(SplitCommandLine("\"\""), "");
}

TEST(SplitCommandLineTest, WithoutQuotesTheTextUpToTheFirstBlank) {
  EXPECT_EQ(SplitCommandLine("C:\\a.gif C:\\b.gif"), "C:\\a.gif");
  EXPECT_EQ(SplitCommandLine("C:\\a.gif"), "C:\\a.gif");
  EXPECT_EQ(SplitCommandLine("   "), "");
  EXPECT_EQ(SplitCommandLine(" a.gif"), "");
  // Only the space character separates.
  EXPECT_EQ(SplitCommandLine("a\tb.gif c.gif"), "a\tb.gif");
}

TEST(SplitCommandLineTest, AQuoteWithoutPartnerIsBad) {
  EXPECT_EQ(SplitCommandLine("\""), optional<string>());
  EXPECT_EQ(SplitCommandLine("\"C:\\a.gif"), optional<string>());
  EXPECT_EQ(SplitCommandLine("C:\\a b\".gif"), optional<string>());
}

TEST(SplitCommandLineTest, NonAsciiNamesPassWhole) {
  EXPECT_EQ(SplitCommandLine("\"C:\\画像 1\\ロゴ.gif\" rest"), "C:\\画像 1\\ロゴ.gif");
}

}  // namespace
}  // namespace tagsmit
