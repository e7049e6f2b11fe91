#include "path/density_name.h"

#include <algorithm>

namespace tagsmit {
namespace {

// More digits after the point than this tell no density a screen has; with
// at most this many, a side times 10^9 stays far inside 64 bits.
constexpr std::size_t kMostFractionDigits = 9;
// A density of 10^10 or more makes every measured side (below 2^32) smaller
// than half a pixel; below it, the digits make a number below 10^19.
constexpr std::size_t kMostWholeDigits = 10;

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::uint64_t Number(std::string_view digits) {
  std::uint64_t value = 0;
  for (const char c : digits) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  return value;
}

// The digits and the point of a density, before its "x".
std::optional<std::string_view> NumberBeforeX(std::string_view stem, std::size_t at) {
  if (at == 0 || at + 2 > stem.size()) return std::nullopt;  // no base, or no "x"
  const char x = stem.back();
  if (x != 'x' && x != 'X') return std::nullopt;
  return stem.substr(at + 1, stem.size() - at - 2);
}

}  // namespace

std::optional<Density> Density::Parse(std::string_view number) {
  const std::size_t point = number.find('.');
  std::string_view whole = number.substr(0, point);
  std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
  if (!AllDigits(whole) || (point != std::string_view::npos && !AllDigits(fraction))) {
    return std::nullopt;
  }
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);  // npos + 1 == 0
  if (whole.empty() && fraction.empty()) return std::nullopt;         // zero
  if (fraction.size() > kMostFractionDigits) return std::nullopt;
  return Density(std::string(whole), std::string(fraction));
}

std::string Density::Descriptor() const {
  std::string text = whole_.empty() ? "0" : whole_;
  if (!fraction_.empty()) text += "." + fraction_;
  return text + "x";
}

std::uint64_t Density::PageSide(std::uint64_t side) const {
  if (side == 0) return 0;
  if (whole_.size() > kMostWholeDigits) return 1;
  // side / (digits / 10^k) = side * 10^k / digits, in whole numbers.
  std::uint64_t scale = 1;
  for (std::size_t i = 0; i < fraction_.size(); ++i) scale *= 10;
  const std::uint64_t divisor = Number(whole_) * scale + Number(fraction_);
  const std::uint64_t dividend = side * scale;
  std::uint64_t quotient = dividend / divisor;
  const std::uint64_t remainder = dividend % divisor;
  if (remainder >= divisor - remainder) ++quotient;  // half a pixel or more rounds up
  return std::max<std::uint64_t>(quotient, 1);
}

std::strong_ordering Density::operator<=>(const Density& other) const {
  if (whole_.size() != other.whole_.size()) return whole_.size() <=> other.whole_.size();
  if (const auto order = whole_ <=> other.whole_; order != 0) return order;
  return fraction_ <=> other.fraction_;  // no trailing zeros: text order is value order
}

DensityName ReadDensityName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {.base = name, .density = {}, .extension = {}};
  const std::string_view stem = name.substr(0, dot);
  const std::string_view extension = name.substr(dot);
  const std::size_t at = stem.rfind('@');
  if (at != std::string_view::npos) {
    if (const auto number = NumberBeforeX(stem, at)) {
      if (auto density = Density::Parse(*number)) {
        return {.base = stem.substr(0, at), .density = std::move(density), .extension = extension};
      }
    }
  }
  return {.base = stem, .density = {}, .extension = extension};
}

}  // namespace tagsmit
