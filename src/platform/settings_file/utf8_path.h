#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
#include "platform/win32_api/utf16.h"
#endif

namespace tagsmit {

// Paths to and from the core's UTF-8 text. On Windows a path made from a
// narrow string would take it in the code page, byte by byte, so the text
// goes through the one UTF-16 conversion of the Win32 edge; on POSIX the
// bytes pass as they are.
#ifdef _WIN32
inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(Utf16FromUtf8(text));
}
inline std::string Utf8FromPath(const std::filesystem::path& path) {
  return Utf8FromUtf16(path.native());
}
#else
inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::string(text));
}
inline std::string Utf8FromPath(const std::filesystem::path& path) {
  return path.native();
}
#endif

}  // namespace tagsmit
