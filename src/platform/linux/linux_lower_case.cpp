#include "platform/linux/linux_lower_case.h"

#include <langinfo.h>

#include <clocale>
#include <cstdint>
#include <cstring>
#include <cwctype>

#include "base/utf8.h"

namespace tagsmit {
namespace {

void Encode(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool UseUserCharacterClasses() {
  if (std::setlocale(LC_CTYPE, "") && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return true;
  return std::setlocale(LC_CTYPE, "C.UTF-8") || std::setlocale(LC_CTYPE, "C");
}

}  // namespace

std::string LinuxLowerCase(const std::string& text) {
  [[maybe_unused]] static const bool locale_set = UseUserCharacterClasses();
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char character = DecodeUtf8(text, at);
    if (character.length == 0) {
      out += text[at++];
      continue;
    }
    const auto lower =
        static_cast<char32_t>(std::towlower(static_cast<std::wint_t>(character.code)));
    Encode(lower <= 0x10FFFF ? lower : character.code, out);
    at += character.length;
  }
  return out;
}

}  // namespace tagsmit
