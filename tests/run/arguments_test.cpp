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
  // kDesktop: the invocation's argument; kPrint: the file printed with
  // SeveralFiles off
  std::optional<std::string> file;
};

void ExpectParsed(const Arguments& arguments, const Parsed& expected, Invocation::Form form) {
  EXPECT_EQ(arguments.mode, expected.mode);
  EXPECT_EQ(arguments.invocation.form, form);
  EXPECT_EQ(expected.mode == Mode::kPrint ? NamedFiles(arguments.invocation, false)->at(0)
                                          : arguments.invocation.argument,
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

// With SeveralFiles every name counts: each argument of the shell's list, or
// each name of the text, apart at blanks and quoted where it holds blanks, as
// Explorer's drops and Send To write them. Off, the one-file rules above.
TEST(ArgumentsTest, SeveralFilesNameEveryFileInBothForms) {
  using Names = std::optional<std::vector<std::string>>;
  const std::pair<std::string, Names> texts[] = {
      {"\"C:\\My Pictures\\a b.gif\" C:\\c.gif \"D:\\e.gif\"",
       Names({"C:\\My Pictures\\a b.gif", "C:\\c.gif", "D:\\e.gif"})},
      {"  a.gif   b.gif ", Names({"a.gif", "b.gif"})},
      {"a\tb.gif \"\" c\"d e\"f", Names({"a\tb.gif", "", "cd ef"})},  // quotes join
      {"   ", Names({""})},  // blanks only: one empty name, as with the switch off
      {"\"a.gif\" \"b.gif", std::nullopt},
  };
  for (const auto& [text, names] : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(NamedFiles(Invocation::ArgumentText(text), true), names);
  }
  // Off, the same texts give the first name by the one-file rule.
  EXPECT_EQ(NamedFiles(Invocation::ArgumentText("\"a.gif\" \"b.gif"), false), Names({"a.gif"}));
  EXPECT_EQ(NamedFiles(Invocation::ArgumentText("a.gif \"b c.gif\""), false), Names({"b c.gif"}));

  const Arguments linux_run = ParseArguments({"b.gif", "", "--help"});
  EXPECT_EQ(NamedFiles(linux_run.invocation, true), Names({"b.gif", "", "--help"}));
  EXPECT_EQ(NamedFiles(linux_run.invocation, false), Names({"b.gif"}));
  const Arguments linux_print = ParseArguments({"--print", "b c.gif", "a.gif"});
  EXPECT_EQ(NamedFiles(linux_print.invocation, true), Names({"b c.gif", "a.gif"}));
  const Arguments windows_print = ParseArgumentText("--print  \"b c.gif\" a.gif");
  EXPECT_EQ(NamedFiles(windows_print.invocation, true), Names({"b c.gif", "a.gif"}));
}

}  // namespace
}  // namespace tagsmit
