// The Linux program's lower-casing of names.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/linux/linux_lower_case.h"

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
  for (const auto& [text, lower] : cases) EXPECT_EQ(LinuxLowerCase(text), lower) << text;
}

}  // namespace
}  // namespace tagsmit
