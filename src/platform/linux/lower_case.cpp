#include "platform/linux/lower_case.h"

#include <langinfo.h>

#include <clocale>
#include <cstdint>
#include <cstring>
#include <cwctype>

namespace tagsmit {
namespace {

// Length of the UTF-8 sequence at `at` and its code point; 0 when invalid.
std::size_t Decode(const std::string& text, std::size_t at, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

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

std::string LowerCaseUtf8(const std::string& text) {
  [[maybe_unused]] static const bool locale_set = UseUserCharacterClasses();
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    char32_t code = 0;
    const std::size_t length = Decode(text, at, code);
    if (length == 0) {
      out += text[at++];
      continue;
    }
    const auto lower = static_cast<char32_t>(std::towlower(static_cast<std::wint_t>(code)));
    Encode(lower <= 0x10FFFF ? lower : code, out);
    at += length;
  }
  return out;
}

}  // namespace tagsmit
