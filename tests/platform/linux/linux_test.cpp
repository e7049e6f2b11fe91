// The Linux program's own text handling: the argument list, lower-casing and
// the Latin-1 form of the clipboard text.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/utf8.h"
#include "platform/linux/arguments.h"
#include "platform/linux/lower_case.h"

namespace tagsmit {
namespace {

using Mode = Arguments::Mode;
using Pair = std::pair<std::string, std::string>;

// The first argument is the file whatever it holds, unless it is one of the
// options; after --print the next one is the file.
TEST(ArgumentsTest, OptionsCountOnlyAsTheFirstArgument) {
  struct Case {
    std::vector<std::string> args;
    Mode mode;
    std::optional<std::string> file;
  };
  const Case cases[] = {
      {{}, Mode::kDesktop, std::nullopt},
      {{"x.gif", "--help"}, Mode::kDesktop, "x.gif"},
      {{"", "ignored"}, Mode::kDesktop, ""},
      {{"-x"}, Mode::kDesktop, "-x"},
      {{"--"}, Mode::kDesktop, "--"},
      {{"--Print", "x.gif"}, Mode::kDesktop, "--Print"},
      {{"--version", "x.gif"}, Mode::kVersion, std::nullopt},
      {{"--print", "--help", "more"}, Mode::kPrint, "--help"},
      {{"--print", ""}, Mode::kPrint, ""},
      {{"--print"}, Mode::kUsageError, std::nullopt},
  };
  for (const Case& c : cases) {
    const Arguments parsed = ParseArguments(c.args);
    EXPECT_EQ(parsed.mode, c.mode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(parsed.file, c.file) << ::testing::PrintToString(c.args);
  }
}

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
