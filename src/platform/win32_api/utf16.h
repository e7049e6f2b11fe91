#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tagsmit {

// UTF-8, the core's text, to and from UTF-16, the Win32 API's, characters
// beyond U+FFFF as surrogate pairs. Every code unit counts, NUL included; what
// is not valid in the source becomes U+FFFD.
std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);

// How much of `text` goes in the next piece when calls take at most `most`
// (2 or more) code units at a time: all of it if it fits, else `most`, or
// one less so that a surrogate pair is never split.
std::size_t Utf16Piece(std::wstring_view text, std::size_t most);

// The system's Japanese description of a Win32 error code (GetLastError), as
// UTF-8 text without the closing period and line break; the code's number
// where the system has none in Japanese.
std::string SystemErrorText(unsigned long error);

}  // namespace tagsmit
