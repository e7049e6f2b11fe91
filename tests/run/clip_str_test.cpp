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
      {"abcabc", "b", "bb", "abbcabbc", 2},  // replacement holds the search text
      {"&w&w", "&w", "", "", 2},             // empty replacement deletes
      {"a&&wb", "&w", "7", "a&7b", 1},       // a doubled ampersand keeps one
      {"aaaa", "aa", "a", "aa", 2},          // no overlap, no re-search
      {"xyz", "q", "r", "xyz", 0},
      {"", "a", "b", "", 0},
      {"abc", "", "x", "abc", 0},  // an empty search must not loop
  };
  for (const auto& c : cases) {
    std::string subject = c.subject;
    EXPECT_EQ(ReplaceAll(subject, c.search, c.replacement), c.count) << c.subject;
    EXPECT_EQ(subject, c.expected) << c.subject;
  }
}

TEST(ExpandClipStr, FillsPlaceholdersAndTrimsOnlyTheNumbers) {
  struct Case {
    std::string clip_str, path, expected;
  };
  const Case cases[] = {
      {"<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">", "./a.gif",
       "<IMG SRC=\"./a.gif\" WIDTH=120 HEIGHT=80 ALT=\"\">"},
      {" WIDTH=&w HEIGHT=&h ", "x", " WIDTH=120 HEIGHT=80 "},  // the template keeps its blanks
      {"&W &H &F", "p", "&W &H &F"},                           // case matters
      // The path goes in last, so "&h" or "&w" inside it are not filled.
      {"[&f] &w", "./&h&w.gif", "[./&h&w.gif] 120"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandClipStr(c.clip_str, c.path, " 120", " 80"), c.expected) << c.clip_str;
  }
}

}  // namespace
}  // namespace tagsmit
