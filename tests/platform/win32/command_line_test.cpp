#include "platform/win32/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace tagsmit::testing {
namespace {

TEST(ArgumentTextTest, IsWhatFollowsTheProgramsOwnNameAndItsBlanks) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"Tagsmit.exe C:\\a.gif C:\\b.gif", L"C:\\a.gif C:\\b.gif"},
      {L"\"C:\\Program Files\\Tagsmit\\Tagsmit.exe\"  \"C:\\My Pictures\\a.gif\"",
       L"\"C:\\My Pictures\\a.gif\""},
      {L"C:\\Tools\\Tagsmit.exe\t x.gif ", L"x.gif "},  // the argument text keeps its end
      {L"\"C:\\My Tools\"\\Tagsmit.exe a.gif", L"a.gif"},
      {L"Tagsmit.exe", L""},
      {L"Tagsmit.exe   ", L""},
      {L"\"C:\\Program Files\\Tagsmit.exe a.gif", L""},  // the name never closes
      {L"", L""},
  };
  for (const auto& [line, arguments] : cases) {
    EXPECT_EQ(ArgumentText(line), arguments) << std::string(line.begin(), line.end());
  }
}

}  // namespace
}  // namespace tagsmit::testing
