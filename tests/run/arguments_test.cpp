#include "run/arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "run/command_line.h"
#include "run/console_run.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using Mode = Arguments::Mode;
using Form = Invocation::Form;

struct Parsed {
  Mode mode;
  std::optional<std::string> file;  // kDesktop: the invocation's argument; kPrint: the file
};

void ExpectParsed(const Arguments& arguments, const Parsed& expected, Form form) {
  EXPECT_EQ(arguments.mode, expected.mode);
  EXPECT_EQ(arguments.invocation.form, form);
  if (expected.mode == Mode::kPrint) {
    EXPECT_EQ(arguments.file, expected.file);
  } else {
    EXPECT_EQ(arguments.invocation.argument, expected.file);
  }
}

// The first argument is the file whatever it holds, unless it is one of the
// options; after --print the next one is the file.
TEST(ArgumentsTest, OptionsCountOnlyAsTheFirstArgument) {
  const std::pair<std::vector<std::string>, Parsed> cases[] = {
      {{}, {Mode::kDesktop, std::nullopt}},
      {{"x.gif", "--help"}, {Mode::kDesktop, "x.gif"}},
      {{"", "ignored"}, {Mode::kDesktop, ""}},
      {{"--"}, {Mode::kDesktop, "--"}},
      {{"--Print", "x.gif"}, {Mode::kDesktop, "--Print"}},
      {{"--version", "x.gif"}, {Mode::kVersion, std::nullopt}},
      {{"--print", "--help", "more"}, {Mode::kPrint, "--help"}},
      {{"--print", ""}, {Mode::kPrint, ""}},
      {{"--print"}, {Mode::kUsageError, std::nullopt}},
  };
  for (const auto& [args, expected] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    ExpectParsed(ParseArguments(args), expected, Form::kFileName);
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
      {"--version", {Mode::kVersion, std::nullopt}},
      {"--print C:\\a.gif C:\\b.gif", {Mode::kPrint, "C:\\a.gif"}},
      {"--print  \"C:\\My Pictures\\a b.gif\"", {Mode::kPrint, "C:\\My Pictures\\a b.gif"}},
      {"--print a.gif \"C:\\b c.gif\"", {Mode::kPrint, "C:\\b c.gif"}},
      {"--print \"\"", {Mode::kPrint, ""}},
      {"--print   ", {Mode::kUsageError, std::nullopt}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    ExpectParsed(ParseArgumentText(text), expected, Form::kArgumentText);
  }
  EXPECT_EQ(ParseArgumentText("--print").problem, "--print needs a FILE");
  EXPECT_EQ(ParseArgumentText("--print \"C:\\a.gif").problem, kBadCommandLineMessage);
}

class RecordedStreams : public StandardStreams {
 public:
  Status Out(std::string_view text) override {
    if (out_fails) return Status::Failure("pipe closed");
    out += text;
    return Status::Ok();
  }
  void Err(std::string_view text) override { err += text; }

  bool out_fails = false;
  std::string out;
  std::string err;
};

class ConsoleRunTest : public ::testing::Test {
 protected:
  ConsoleRunTest() {
    fs.AddFile("C:\\Web\\Logo.gif", std::string("GIF89a\x78\0\x3c\0", 10) + std::string(16, '\0'));
    fs.ChangeDirectory("C:\\Web");
  }
  int Run(const Arguments& arguments) {
    streams = {};
    return ConsoleRun(arguments, services, streams);
  }

  testing::FakeFileSystem fs{PathStyle::Windows};
  testing::ScriptedDesktop desktop;
  testing::MemorySettingsStore store;
  Services services{fs, desktop, store};
  RecordedStreams streams;
};

// Each mode writes where a caller looks for it and exits with the status
// that says how it went; the usage names the program as it is started.
TEST_F(ConsoleRunTest, WritesEachModesTextAndGivesItsStatus) {
  EXPECT_EQ(Run(ParseArgumentText("--print Logo.gif")), 0);
  EXPECT_EQ(streams.out, "<IMG SRC=\"./Logo.gif\" WIDTH=120 HEIGHT=60 ALT=\"\">\n");
  EXPECT_EQ(streams.err, "");

  EXPECT_EQ(Run(ParseArgumentText("--print gone.gif")), 1);
  EXPECT_EQ(streams.out, "");
  EXPECT_EQ(streams.err, "ファイルが存在しません\ngone.gif\n");

  EXPECT_EQ(Run(ParseArguments({"--version"})), 0);
  EXPECT_EQ(streams.out, "Tagsmit 1.1.5\n");

  EXPECT_EQ(Run(ParseArgumentText("--help")), 0);
  EXPECT_EQ(streams.out, UsageText(Form::kArgumentText));
  EXPECT_EQ(streams.out.rfind("Usage: Tagsmit.exe [FILE]\n", 0), 0u);

  EXPECT_EQ(Run(ParseArguments({"--print"})), 2);
  EXPECT_EQ(streams.out, "");
  EXPECT_EQ(streams.err, "tagsmit: --print needs a FILE\n" + UsageText(Form::kFileName));

  // Output that cannot be written is a failed run, as a tag lost would be.
  streams.out_fails = true;
  EXPECT_EQ(ConsoleRun(ParseArgumentText("--print Logo.gif"), services, streams), 1);
  EXPECT_EQ(ConsoleRun(ParseArgumentText("--version"), services, streams), 1);
}

}  // namespace
}  // namespace tagsmit
