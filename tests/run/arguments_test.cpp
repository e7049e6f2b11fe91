// The command line's options in both forms; what each mode writes and its
// exit status are e2e print, on Linux and under Wine.
#include "run/arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "run/command_line.h"

namespace tagsmit {
namespace {

using Mode = Arguments::Mode;

struct Parsed {
  Mode mode;
  std::optional<std::string> file;  // kDesktop: the invocation's argument; kPrint: the file
};

void ExpectParsed(const Arguments& arguments, const Parsed& expected, Invocation::Form form) {
  EXPECT_EQ(arguments.mode, expected.mode);
  EXPECT_EQ(arguments.invocation.form, form);
  EXPECT_EQ(expected.mode == Mode::kPrint ? arguments.file : arguments.invocation.argument,
            expected.file);
}

// The first argument is the file whatever it holds, unless it is one of the
// options; after --print the next one is the file.
TEST(ArgumentsTest, OptionsCountOnlyAsTheFirstArgument) {
  const std::pair<std::vector<std::string>, Parsed> cases[] = {
      {{}, {Mode::kDesktop, std::nullopt}},
      {{"x.gif", "--help"}, {Mode::kDesktop, "x.gif"}},
      {{"", "ignored"}, {Mode::kDesktop, ""}},
      {{"--Print", "x.gif"}, {Mode::kDesktop, "--Print"}},
      {{"--version", "x.gif"}, {Mode::kVersion, std::nullopt}},
      {{"--print", "--help", "more"}, {Mode::kPrint, "--help"}},
      {{"--print", ""}, {Mode::kPrint, ""}},
      {{"--print"}, {Mode::kUsageError, std::nullopt}},
  };
  for (const auto& [args, expected] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    ExpectParsed(ParseArguments(args), expected, Invocation::Form::kFileName);
  }
}

// Windows hands over one text: an option is its first word up to a blank, and
// the file after --print is narrowed as the run narrows a command line (a
// quoted name wins wherever it stands). The desktop run keeps the whole text.
TEST(ArgumentsTest, ArgumentTextNarrowsTheFileAfterPrintByTheRunsRule) {
  const std::pair<std::string, Parsed> cases[] = {
      {"", {Mode::kDesktop, ""}},
      {"a.gif --help", {Mode::kDesktop, "a.gif --help"}},
      {"\"--print\" a.gif", {Mode::kDesktop, "\"--print\" a.gif"}},
      {"--print\ta.gif", {Mode::kDesktop, "--print\ta.gif"}},
      {"--help x", {Mode::kHelp, std::nullopt}},
      {"--print C:\\a.gif C:\\b.gif", {Mode::kPrint, "C:\\a.gif"}},
      {"--print  \"C:\\My Pictures\\a b.gif\"", {Mode::kPrint, "C:\\My Pictures\\a b.gif"}},
      {"--print a.gif \"C:\\b c.gif\"", {Mode::kPrint, "C:\\b c.gif"}},
      {"--print \"\"", {Mode::kPrint, ""}},
      {"--print   ", {Mode::kUsageError, std::nullopt}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    ExpectParsed(ParseArgumentText(text), expected, Invocation::Form::kArgumentText);
  }
  EXPECT_EQ(ParseArgumentText("--print").problem, "--print needs a FILE");
  EXPECT_EQ(ParseArgumentText("--print \"C:\\a.gif").problem, kBadCommandLineMessage);
}

}  // namespace
}  // namespace tagsmit
