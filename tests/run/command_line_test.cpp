#include "run/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tagsmit {
namespace {

TEST(SplitCommandLineTest, QuotedNameFirstElseUpToTheFirstBlank) {
  struct Case {
    const char* cmd_line;
    std::optional<std::string> expected;  // nothing: a bad command line
  };
  const Case cases[] = {
      {"C:\\a.gif \"C:\\b c.gif\"", "C:\\b c.gif"},  // a quoted name wins wherever it stands
      {"x\"a.gif\"y \"b.gif\"", "a.gif"},            // text around the first pair is dropped
      {"\"\"", ""},
      {"C:\\a.gif", "C:\\a.gif"},
      {" a.gif", ""},
      {"a\tb.gif c.gif", "a\tb.gif"},  // only the space character separates
      {"\"", std::nullopt},
      {"C:\\a b\".gif", std::nullopt},  // a lone quote is bad even after a blank
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.cmd_line), c.expected) << c.cmd_line;
}

}  // namespace
}  // namespace tagsmit
