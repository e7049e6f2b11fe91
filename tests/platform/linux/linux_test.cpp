// The Linux program's own text handling: lower-casing and the Latin-1 form
// of the clipboard text.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/utf8.h"
#include "platform/linux/lower_case.h"

namespace tagsmit {
namespace {

using Pair = std::pair<std::string, std::string>;

// Letters beyond ASCII are lowered; text without case, four-byte characters
// and bytes that are not UTF-8 (a Latin-1 name, a truncated sequence, an
// overlong form, a surrogate) stay as they are.
TEST(LowerCaseTest, WholePathIncludingLettersBeyondAscii) {
  const Pair cases[] = {
      {"../Ωμέγα/ДОМ.JPG", "../ωμέγα/дом.jpg"},
      {"画像/ｸﾘｯﾌﾟ 1.gif", "画像/ｸﾘｯﾌﾟ 1.gif"},
      {"𝔸-😀.gif", "𝔸-😀.gif"},
      {"", ""},
      {"A\xC4-B.GIF", "a\xC4-b.gif"},
      {"X\xE3\x81", "x\xE3\x81"},
      {"\xC0\xC1Q", "\xC0\xC1q"},
      {"\xED\xA0\x80Z", "\xED\xA0\x80z"},
  };
  for (const auto& [text, lower] : cases) EXPECT_EQ(LowerCaseUtf8(text), lower) << text;
}

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
