#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tagsmit {

// One character of UTF-8 text.
struct Utf8Char {
  char32_t code = 0;
  std::size_t length = 0;  // in bytes; 0 when the bytes there are not UTF-8
};

// The character that starts at `at`. A sequence cut short, an overlong form, a
// surrogate and anything beyond U+10FFFF are not UTF-8.
Utf8Char DecodeUtf8(std::string_view text, std::size_t at);

// Appends the UTF-8 form of a character (at most U+10FFFF, no surrogate).
void AppendUtf8(std::string& out, char32_t code);

// The text in ISO 8859-1, as the clipboard's STRING form wants it: characters
// outside it become '?', and so do bytes that are not valid UTF-8.
std::string Latin1FromUtf8(std::string_view text);

}  // namespace tagsmit
