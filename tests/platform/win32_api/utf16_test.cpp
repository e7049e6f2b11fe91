#include "platform/win32_api/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace tagsmit::testing {
namespace {

TEST(Utf16Test, EveryCharacterCrossesBothWays) {
  struct Case {
    std::string utf8;
    std::wstring utf16;
  };
  const Case cases[] = {
      {"", L""},
      {"C:\\Web\\a.gif", L"C:\\Web\\a.gif"},
      {"日本.txt", L"\u65E5\u672C.txt"},
      {"ｶﾅ　全角", L"\uFF76\uFF85\u3000\u5168\u89D2"},
      // Beyond U+FFFF: one character, a surrogate pair of two code units.
      {"\xF0\xA0\xAE\xB7野家", L"\xD842\xDFB7\u91CE\u5BB6"},
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},  // NUL is text like any other
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(Utf16Test, WhatIsNotValidBecomesReplacementCharacters) {
  EXPECT_EQ(Utf16FromUtf8("a\x80z\xFFz"), L"a\uFFFDz\uFFFDz");
  EXPECT_EQ(Utf16FromUtf8("\xE6\x97!"), L"\uFFFD!") << "a character cut short";
  EXPECT_EQ(Utf8FromUtf16(L"a\xD842z"), "a\xEF\xBF\xBDz") << "half a surrogate pair";
}

TEST(Utf16Test, PiecesNeverSplitASurrogatePair) {
  const std::wstring text = L"ab\xD842\xDFB7z";
  EXPECT_EQ(Utf16Piece(text, 9), 5u) << "all of it";
  EXPECT_EQ(Utf16Piece(text, 2), 2u);
  EXPECT_EQ(Utf16Piece(text, 3), 2u) << "the pair whole in the next piece";
  EXPECT_EQ(Utf16Piece(text, 4), 4u);
}

// In Japanese whatever the user's language (the tests run in Wine's English
// one unless LANG says otherwise).
TEST(Utf16Test, SystemErrorsReadAsJapaneseTextWithoutTheirClosingPeriod) {
  EXPECT_EQ(SystemErrorText(5), "アクセスが拒否されました");             // ERROR_ACCESS_DENIED
  EXPECT_EQ(SystemErrorText(0x2000FFFF), "Windows のエラー 536936447");  // no such message
}

}  // namespace
}  // namespace tagsmit::testing
