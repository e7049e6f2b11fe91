#include "platform/win32_api/utf16.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

namespace tagsmit {
namespace {

// The conversions take an int count; longer text goes in pieces that never
// split a character.
constexpr std::size_t kPiece = INT_MAX / 4;

bool IsContinuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::wstring Utf16FromUtf8(std::string_view text) {
  std::wstring out;
  while (!text.empty()) {
    std::size_t size = std::min(text.size(), kPiece);
    // A cut inside a character moves to its lead byte, at most three back.
    for (int k = 0; k < 3 && size < text.size() && IsContinuation(text[size]); ++k) --size;
    const int count = static_cast<int>(size);
    const int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), count, nullptr, 0);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), count, out.data() + at, wide);
    text.remove_prefix(size);
  }
  return out;
}

std::string Utf8FromUtf16(std::wstring_view text) {
  std::string out;
  while (!text.empty()) {
    const std::size_t size = Utf16Piece(text, kPiece);
    const int count = static_cast<int>(size);
    const int narrow =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(narrow));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), count, out.data() + at, narrow, nullptr, nullptr);
    text.remove_prefix(size);
  }
  return out;
}

std::size_t Utf16Piece(std::wstring_view text, std::size_t most) {
  const std::size_t size = std::min(text.size(), most);
  return size < text.size() && IS_HIGH_SURROGATE(text[size - 1]) ? size - 1 : size;
}

std::string SystemErrorText(unsigned long error) {
  // Every text of the program is Japanese, the boxes that quote a reason
  // included: the reason is asked for in Japanese whatever the user's
  // language, and a system without Japanese messages gives the number.
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0) return "Windows のエラー " + std::to_string(error);
  const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(buffer, &LocalFree);
  std::wstring_view text(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.' || text.back() == L'\u3002'))
    text.remove_suffix(1);
  return Utf8FromUtf16(text);
}

}  // namespace tagsmit
