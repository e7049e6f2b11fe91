#include "platform/linux/arguments.h"

#include <gtest/gtest.h>

namespace tagsmit {
namespace {

using Mode = Arguments::Mode;

TEST(ArgumentsTest, TheFirstArgumentIsTheFileWhateverItHolds) {
  EXPECT_EQ(ParseArguments({}).mode, Mode::kDesktop);
  EXPECT_FALSE(ParseArguments({}).file.has_value());
  for (const char* name : {"a b.gif", "\"q\".gif", "", "-x", "--", "./--print", "--Print"}) {
    const Arguments parsed = ParseArguments({name, "ignored"});
    EXPECT_EQ(parsed.mode, Mode::kDesktop) << name;
    EXPECT_EQ(parsed.file, name);
  }
}

TEST(ArgumentsTest, OptionsCountOnlyAsTheFirstArgument) {
  EXPECT_EQ(ParseArguments({"--help"}).mode, Mode::kHelp);
  EXPECT_EQ(ParseArguments({"--version", "x.gif"}).mode, Mode::kVersion);
  EXPECT_EQ(ParseArguments({"x.gif", "--help"}).file, "x.gif");

  const Arguments print = ParseArguments({"--print", "--help", "more"});
  EXPECT_EQ(print.mode, Mode::kPrint);
  EXPECT_EQ(print.file, "--help");
  EXPECT_EQ(ParseArguments({"--print", ""}).file, "");
  EXPECT_EQ(ParseArguments({"--print"}).mode, Mode::kUsageError);
}

}  // namespace
}  // namespace tagsmit
