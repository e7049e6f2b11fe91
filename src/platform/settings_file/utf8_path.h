#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tagsmit {

// Paths to and from the core's UTF-8 text. A path made from a narrow string
// takes it in the system's code page, which on Windows is not UTF-8, so the
// text goes through std::u8string both ways; on POSIX the bytes pass as
// they are.
inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace tagsmit
