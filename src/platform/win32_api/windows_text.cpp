#include "platform/win32_api/windows_text.h"

#include "platform/win32_api/utf16.h"

namespace tagsmit {

std::wstring ToWindowsText(std::string_view text) {
  const std::wstring wide = Utf16FromUtf8(text);
  std::wstring out;
  out.reserve(wide.size());
  for (const wchar_t c : wide) {
    if (c == L'\n') out += L'\r';
    out += c;
  }
  return out;
}

std::string FromWindowsText(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) out += text[i];
  }
  return Utf8FromUtf16(out);
}

}  // namespace tagsmit
