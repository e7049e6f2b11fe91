#pragma once

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>

namespace tagsmit {

// Letter case of ASCII letters only: every other byte, those of UTF-8
// sequences among them, stays as it is, so that names which differ outside
// ASCII stay different and a text never depends on the process's locale.

bool IsAsciiLetter(char c);
char AsciiLower(char c);
std::string AsciiLower(std::string_view text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The first element of `range` whose name (`name_of` of the element) equals
// `name` apart from ASCII letter case; the end of the range when none does.
template <typename Range, typename NameOf>
auto FindNamed(Range& range, std::string_view name, NameOf name_of) {
  return std::find_if(std::begin(range), std::end(range), [&](const auto& element) {
    return EqualIgnoringAsciiCase(std::invoke(name_of, element), name);
  });
}

}  // namespace tagsmit
