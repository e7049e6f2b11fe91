#include "platform/win32/win32_lower_case.h"

#include <windows.h>

#include <climits>
#include <string_view>

#include "platform/win32_api/utf16.h"

namespace tagsmit {
namespace {

// LCMapStringEx takes an int count; longer text goes in pieces.
constexpr std::size_t kPiece = INT_MAX / 2;

}  // namespace

std::string Win32LowerCase(const std::string& text) {
  const std::wstring wide = Utf16FromUtf8(text);
  std::wstring_view rest = wide;
  std::wstring lower;
  lower.reserve(wide.size());
  while (!rest.empty()) {
    const std::size_t size = Utf16Piece(rest, kPiece);
    const int count = static_cast<int>(size);
    const int mapped = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, rest.data(), count,
                                     nullptr, 0, nullptr, nullptr, 0);
    const std::size_t at = lower.size();
    lower.resize(at + static_cast<std::size_t>(mapped));
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, rest.data(), count, lower.data() + at,
                  mapped, nullptr, nullptr, 0);
    rest.remove_prefix(size);
  }
  return Utf8FromUtf16(lower);
}

}  // namespace tagsmit
