#include "image/svg_length.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "base/ascii.h"

namespace tagsmit {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

struct Unit {
  std::string_view name;
  double pixels;
};
constexpr std::array<Unit, 7> kUnits{{{"", 1.0},
                                      {"px", 1.0},
                                      {"pt", 96.0 / 72},
                                      {"pc", 96.0 / 6},
                                      {"mm", 96.0 / 25.4},
                                      {"cm", 96.0 / 2.54},
                                      {"in", 96.0}}};

void SkipBlanks(std::string_view& text) {
  text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
}

// A number in the syntax of SVG (sign, digits, fraction, exponent) at the
// start of `text`, which it then leaves behind.
std::optional<double> TakeNumber(std::string_view& text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '+' || negative)) text.remove_prefix(1);
  // from_chars would also take "inf" and "nan".
  if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc()) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return negative ? -value : value;
}

}  // namespace

std::optional<double> AbsoluteLength(std::string_view text) {
  SkipBlanks(text);
  const auto number = TakeNumber(text);
  if (!number || *number < 0) return std::nullopt;
  text = text.substr(0, text.find_last_not_of(kBlanks) + 1);
  for (const Unit& unit : kUnits) {
    if (EqualIgnoringAsciiCase(text, unit.name)) return *number * unit.pixels;
  }
  return std::nullopt;
}

std::optional<ViewBoxSize> ViewBox(std::string_view text) {
  std::array<double, 4> numbers{};
  for (double& number : numbers) {
    SkipBlanks(text);
    if (&number != numbers.data() && !text.empty() && text[0] == ',') text.remove_prefix(1);
    SkipBlanks(text);
    const auto value = TakeNumber(text);
    if (!value) return std::nullopt;
    number = *value;
  }
  SkipBlanks(text);
  if (!text.empty() || !(numbers[2] > 0) || !(numbers[3] > 0)) return std::nullopt;
  return ViewBoxSize{numbers[2], numbers[3]};
}

std::uint64_t Pixels(double length) {
  constexpr double kOutOfRange = 1e18;
  return length >= kOutOfRange ? static_cast<std::uint64_t>(kOutOfRange)
                               : static_cast<std::uint64_t>(std::floor(length + 0.5));
}

}  // namespace tagsmit
