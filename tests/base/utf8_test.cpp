// The Latin-1 form of UTF-8 text, as the clipboard's STRING form carries it.
#include "base/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tagsmit {
namespace {

using Pair = std::pair<std::string, std::string>;

// Latin-1 characters are kept; every other character, and every byte that is
// not UTF-8 (also a sequence cut short), becomes one mark.
TEST(Latin1FromUtf8Test, KeepsLatin1AndMarksTheRest) {
  const Pair cases[] = {
      {"<IMG SRC=\"./a.gif\">", "<IMG SRC=\"./a.gif\">"},
      {"café ü", "caf\xE9 \xFC"},
      {"画像.gif", "??.gif"},
      {"😀", "?"},
      {"a\xFFz", "a?z"},
      {"a\xC3", "a?"},
      {"\xE3\x81x", "??x"},
  };
  for (const auto& [text, latin1] : cases) EXPECT_EQ(Latin1FromUtf8(text), latin1) << text;
}

}  // namespace
}  // namespace tagsmit
