#pragma once

#include <concepts>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tagsmit::fuzz {

// Printable form of a value for a report: bytes outside printable ASCII
// escaped, long texts cut.
inline std::string Shown(std::string_view text) {
  std::string shown = "\"";
  for (std::size_t i = 0; i < text.size() && i < 300; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
      shown += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
    }
  }
  if (text.size() > 300) shown += "...(" + std::to_string(text.size()) + " bytes)";
  return shown + "\"";
}

template <std::integral T>
std::string Shown(T value) {
  return std::to_string(value);
}

// What the harness is checking, for the report of a broken property.
inline std::string& Context() {
  static std::string context;
  return context;
}

[[noreturn]] inline void Broken(const char* file, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n%s\n", file, line, what.c_str(),
               Context().c_str());
  std::abort();  // libFuzzer keeps the input as a crash
}

template <typename A, typename B>
void CheckEqual(const A& a, const B& b, const char* a_text, const char* b_text, const char* file,
                int line) {
  if (!(a == b)) {
    Broken(file, line,
           std::string(a_text) + " == " + b_text + "\n  left:  " + Shown(a) +
               "\n  right: " + Shown(b));
  }
}

}  // namespace tagsmit::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? void() : ::tagsmit::fuzz::Broken(__FILE__, __LINE__, #condition))
#define FUZZ_CHECK_EQ(a, b) ::tagsmit::fuzz::CheckEqual((a), (b), #a, #b, __FILE__, __LINE__)
