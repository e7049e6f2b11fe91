#include "run/clip_str.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "run/app.h"

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
      {"abc", "", "x", "abc", 0},  // an empty search must not loop
  };
  for (const auto& c : cases) {
    std::string subject = c.subject;
    EXPECT_EQ(ReplaceAll(subject, c.search, c.replacement), c.count) << c.subject;
    EXPECT_EQ(subject, c.expected) << c.subject;
  }
  // Time in proportion to the text: 16 MiB of placeholders end at once.
  std::string huge;
  for (int i = 0; i < 1 << 23; ++i) huge += "&w";
  EXPECT_EQ(ReplaceAll(huge, "&w", "7"), 1u << 23);
  EXPECT_EQ(huge, std::string(1 << 23, '7'));

  // Several search texts in one pass: neither inserted text is searched for
  // the other; where two start at one place, the first listed.
  std::string subject = "&f&s&&s|ab";
  const Replacement replacements[] = {{"&f", "A&s"}, {"&s", "B&f"}, {"a", "1"}, {"ab", "2"}};
  EXPECT_EQ(ReplaceEach(subject, replacements), 4u);
  EXPECT_EQ(subject, "A&sB&f&B&f|1b");
}

TEST(ExpandClipStr, FillsPlaceholdersAndTrimsOnlyTheNumbers) {
  struct Case {
    std::string clip_str, path, expected;
    std::optional<std::string> srcset = {};  // nothing: "&s" is ordinary text
  };
  const Case cases[] = {
      {"<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">", "./a.gif",
       "<IMG SRC=\"./a.gif\" WIDTH=120 HEIGHT=80 ALT=\"\">"},
      {" WIDTH=&w HEIGHT=&h ", "x", " WIDTH=120 HEIGHT=80 "},  // the template keeps its blanks
      {"&W &H &F", "p", "&W &H &F"},                           // case matters
      // The path goes in last, so "&h" or "&w" inside it are not filled.
      {"[&f] &w", "./&h&w.gif", "[./&h&w.gif] 120"},
      {"&f &s", "./a.png", "./a.png &s"},
      {"<img src=\"&f\" srcset=\"&s\" width=&w>", "./a.png",
       "<img src=\"./a.png\" srcset=\"./a.png 1x, ./a@2x.png 2x\" width=120>",
       "./a.png 1x, ./a@2x.png 2x"},
      // Path and list go in together, last: nothing inside either is filled.
      {"&f|&s|&S|&&s", "./&s&w.png", "./&s&w.png|./x&f&h 1x|&S|&./x&f&h 1x", "./x&f&h 1x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandClipStr(c.clip_str, c.path, " 120", " 80", c.srcset), c.expected) << c.clip_str;
  }
}

TEST(ClipStrList, SelectionFollowsItsEntryAndDrivesCurClipStr) {
  AppState app;
  app.clip_strs.InsertAtTop("a");
  app.clip_strs.InsertAtTop("b");
  app.clip_strs.Select(1);
  EXPECT_EQ(app.options.CurClipStr, "a");

  app.clip_strs.InsertAtTop("c");  // the selected entry moves down with its text
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 2);
  EXPECT_EQ(app.clip_strs.Text(), "a");

  app.clip_strs.Remove(0);
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 1);
  app.clip_strs.Remove(1);  // removing the selected entry leaves none selected
  EXPECT_EQ(app.clip_strs.SelectedIndex(), -1);
  EXPECT_EQ(app.clip_strs.Text(), "");
  EXPECT_EQ(app.options.CurClipStr, "a");  // only a selection changes it

  app.clip_strs.Select(5);
  EXPECT_EQ(app.clip_strs.SelectedIndex(), -1);
  EXPECT_EQ(app.options.CurClipStr, "");
}

}  // namespace
}  // namespace tagsmit
