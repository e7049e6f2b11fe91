#include "run/name_order.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <utility>

namespace tagsmit {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A byte's place in the order: separators before every other character.
int Rank(char c, PathStyle style) {
  const bool separator = c == '/' || (style == PathStyle::Windows && c == '\\');
  return separator ? -1 : static_cast<unsigned char>(c);
}

// The run of digits that starts at `at`; `at` moves past it.
std::string_view DigitRun(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return text.substr(start, at - start);
}

// -1, 0 or 1 as a is less than, equal to or greater than b.
template <typename T>
int Order(const T& a, const T& b) {
  return (a > b) - (a < b);
}

// The digits of a run without its leading zeros.
std::string_view Value(std::string_view run) {
  return run.substr(std::min(run.find_first_not_of('0'), run.size()));
}

}  // namespace

int CompareNatural(std::string_view a, std::string_view b, PathStyle style) {
  int zeros = 0;  // the first difference in leading zeros between equal values
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::string_view run_a = DigitRun(a, i);
      const std::string_view run_b = DigitRun(b, j);
      const std::string_view value_a = Value(run_a);
      const std::string_view value_b = Value(run_b);
      // Without leading zeros, the longer run is the larger number; runs of
      // any length compare without overflow.
      if (const int length = Order(value_a.size(), value_b.size())) return length;
      if (const int digits = Order(value_a, value_b)) return digits;
      if (zeros == 0) zeros = Order(run_a.size(), run_b.size());
      continue;
    }
    const int rank_a = Rank(a[i++], style);
    const int rank_b = Rank(b[j++], style);
    if (const int byte = Order(rank_a, rank_b)) return byte;
  }
  // A name comes before its longer forms.
  if (const int rest = Order(a.size() - i, b.size() - j)) return rest;
  return zeros;
}

void SortByName(std::vector<std::string>& names, PathStyle style,
                const std::function<std::string(const std::string&)>& lower_case) {
  std::vector<std::string> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) keys.push_back(lower_case(name));
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    if (const int natural = CompareNatural(keys[x], keys[y], style)) return natural < 0;
    return names[x] < names[y];
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (const std::size_t at : order) sorted.push_back(std::move(names[at]));
  names = std::move(sorted);
}

}  // namespace tagsmit
