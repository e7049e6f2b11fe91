#include "run/clip_str.h"

#include <gtest/gtest.h>

#include <string>

namespace tagsmit {
namespace {

TEST(ReplaceAll, ReplacesEveryOccurrenceAndCountsThem) {
  struct Case {
    std::string subject, search, replacement, expected;
    int count;
  };
  const Case cases[] = {
      {"abcabc", "b", "bb", "abbcabbc", 2},         // replacement holds the search text
      {"&w&w", "&w", "", "", 2},                    // empty replacement deletes
      {"a&&wb", "&w", "7", "a&7b", 1},              // a doubled ampersand keeps one
      {"xyz", "q", "r", "xyz", 0},                  // no occurrence
      {"aaaa", "aa", "a", "aa", 2},                 // no overlap, no re-search
      {"幅&w高さ&w", "&w", "12", "幅12高さ12", 2},  // multi-byte text around
  };
  for (const auto& c : cases) {
    std::string subject = c.subject;
    EXPECT_EQ(ReplaceAll(subject, c.search, c.replacement), c.count) << c.subject;
    EXPECT_EQ(subject, c.expected) << c.subject;
  }
}

TEST(ReplaceAll, EmptySubjectOrSearchChangesNothing) {
  std::string empty;
  EXPECT_EQ(ReplaceAll(empty, "a", "b"), 0);
  EXPECT_EQ(empty, "");
  std::string subject = "abc";
  EXPECT_EQ(ReplaceAll(subject, "", "x"), 0);
  EXPECT_EQ(subject, "abc");
}

TEST(ReplaceAll, HandlesTextsBeyondSixteenBitLengths) {
  std::string subject;
  for (int i = 0; i < 40000; ++i) subject += "&w";
  EXPECT_EQ(ReplaceAll(subject, "&w", "1"), 40000);
  EXPECT_EQ(subject, std::string(40000, '1'));
}

TEST(ExpandClipStr, FillsTheImageTag) {
  EXPECT_EQ(ExpandClipStr("<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">", "./a.gif", " 120", " 80"),
            "<IMG SRC=\"./a.gif\" WIDTH=120 HEIGHT=80 ALT=\"\">");
}

TEST(ExpandClipStr, KeepsTheTemplatesOwnBlanks) {
  EXPECT_EQ(ExpandClipStr(" WIDTH=&w HEIGHT=&h", "x", " 7", " 9"), " WIDTH=7 HEIGHT=9");
}

TEST(ExpandClipStr, LeavesUpperCasePlaceholdersAndPathPlaceholdersAlone) {
  EXPECT_EQ(ExpandClipStr("&W &H &F", "p", " 1", " 2"), "&W &H &F");
  // The path goes in last, so "&h" or "&w" inside it are not filled.
  EXPECT_EQ(ExpandClipStr("[&f] &w", "./&h&w.gif", " 5", " 6"), "[./&h&w.gif] 5");
  EXPECT_EQ(ExpandClipStr("no placeholders", "p", " 1", " 2"), "no placeholders");
}

}  // namespace
}  // namespace tagsmit
