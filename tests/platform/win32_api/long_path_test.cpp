#include "platform/win32_api/long_path.h"

#include <gtest/gtest.h>

#include <string>

namespace tagsmit::testing {
namespace {

// From 248 characters on, the form the system takes at any length: absolute
// and normal, with the extended-length prefix; shorter paths as they are, and
// paths in the extended-length form already.
TEST(LongPathTest, PathsTheSystemWouldRefuseGetTheExtendedLengthForm) {
  const std::wstring name(120, L'n');
  const std::wstring deep = L"C:\\" + name + L"\\" + name + L"\\a.gif";  // 250 characters
  EXPECT_EQ(SystemPath(L"C:\\" + std::wstring(244, L'x')), L"C:\\" + std::wstring(244, L'x'));
  EXPECT_EQ(SystemPath(L"C:\\" + std::wstring(245, L'x')),
            L"\\\\?\\C:\\" + std::wstring(245, L'x'));
  EXPECT_EQ(SystemPath(L"C:/" + name + L"/x/../" + name + L"/./a.gif"), L"\\\\?\\" + deep);
  EXPECT_EQ(SystemPath(L"\\\\server\\share\\" + name + L"\\" + name),
            L"\\\\?\\UNC\\server\\share\\" + name + L"\\" + name);
  EXPECT_EQ(SystemPath(L"\\\\?\\C:\\x\\..\\a.gif"), L"\\\\?\\C:\\x\\..\\a.gif");
}

}  // namespace
}  // namespace tagsmit::testing
