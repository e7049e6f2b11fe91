#pragma once

#include <string>
#include <string_view>

namespace tagsmit {

// Letter case of ASCII letters only: every other byte, those of UTF-8
// sequences among them, stays as it is, so that names which differ outside
// ASCII stay different and a text never depends on the process's locale.

char AsciiLower(char c);
std::string AsciiLower(std::string_view text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace tagsmit
