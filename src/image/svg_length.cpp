#include "image/svg_length.h"

#include <algorithm>
#include <array>

#include "base/ascii.h"

namespace tagsmit {
namespace {

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
  text.remove_prefix(std::min(text.find_first_not_of(kSvgBlanks), text.size()));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Ten to the power `exponent`, infinite beyond what a double holds. Exact up
// to 10^22, so that a result of one multiplication or division by it is the
// nearest double to the written number wherever that matters here.
double PowerOfTen(int exponent) {
  double power = 1;
  for (int i = 0; i < exponent && power <= 1e308; ++i) power *= 10;
  return power;
}

// A number in the syntax of SVG (sign, digits, fraction, exponent) at the
// start of `text`, which it then leaves behind. Read by hand: the library's
// floating-point parser (std::from_chars) maps libm into every run for this
// one use, and takes "inf" and "nan" besides.
std::optional<double> TakeNumber(std::string_view& text) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || negative)) ++i;
  constexpr std::uint64_t kDigitsKept = 100'000'000'000'000'000;  // more are beyond a pixel
  std::uint64_t digits = 0;
  int scale = 0;  // the power of ten that `digits` stand under
  bool any_digit = false;
  const auto take_digits = [&](bool fraction) {
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      any_digit = true;
      if (digits < kDigitsKept) {
        digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (fraction) --scale;
      } else if (!fraction) {
        ++scale;
      }
    }
  };
  take_digits(false);
  if (i < text.size() && text[i] == '.') {
    ++i;
    take_digits(true);
  }
  if (!any_digit) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const bool negative_exponent = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || negative_exponent)) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      int exponent = 0;
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        exponent = std::min(exponent * 10 + (text[j] - '0'), 100'000);
      }
      scale += negative_exponent ? -exponent : exponent;
      i = j;
    }
  }
  text.remove_prefix(i);
  const double value = scale >= 0 ? static_cast<double>(digits) * PowerOfTen(scale)
                                  : static_cast<double>(digits) / PowerOfTen(-scale);
  return negative ? -value : value;
}

}  // namespace

std::optional<double> AbsoluteLength(std::string_view text, double font_size) {
  SkipBlanks(text);
  const auto number = TakeNumber(text);
  if (!number || *number < 0) return std::nullopt;
  text = text.substr(0, text.find_last_not_of(kSvgBlanks) + 1);
  for (const Unit& unit : kUnits) {
    if (EqualIgnoringAsciiCase(text, unit.name)) return *number * unit.pixels;
  }
  // The root's em and rem are the same: its own font size.
  if (EqualIgnoringAsciiCase(text, "em") || EqualIgnoringAsciiCase(text, "rem")) {
    return *number * font_size;
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

std::optional<std::uint64_t> Pixels(double length) {
  constexpr double kOutOfRange = 1e18;
  if (length != length) return std::nullopt;  // NaN
  // Lengths here are never negative, so the cast rounds down.
  return length >= kOutOfRange ? static_cast<std::uint64_t>(kOutOfRange)
                               : static_cast<std::uint64_t>(length + 0.5);
}

}  // namespace tagsmit
