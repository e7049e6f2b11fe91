#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tagsmit {

// The pixel density that a file name states by the convention of screen
// images: "logo@2x.png" holds twice its page size, "logo@1.5x.png" one and a
// half times. Kept as its decimal digits, so it is compared and divided by
// exactly, with no rounding of a binary fraction.
class Density {
 public:
  // The density of a name without a suffix.
  static Density One() { return Density("1", ""); }
  // "2", "1.5", "02", "2.50": ASCII digits with at most one point between
  // digits, as a srcset descriptor writes them, greater than zero, with at
  // most nine digits after the point that count. Nothing for other text.
  static std::optional<Density> Parse(std::string_view number);

  // The srcset descriptor: the number in its plain form and a lower-case x
  // ("2x", "1.5x", "0.5x").
  std::string Descriptor() const;

  // `side` pixels at this density, rounded to the nearest whole pixel
  // (halves up) and never below 1; a side of 0 stays 0. `side` is a measured
  // side, below 2^32.
  std::uint64_t PageSide(std::uint64_t side) const;

  // By value: "2" and "2.0" are the same density.
  std::strong_ordering operator<=>(const Density& other) const;
  bool operator==(const Density& other) const { return (*this <=> other) == 0; }

 private:
  Density(std::string whole, std::string fraction)
      : whole_(std::move(whole)), fraction_(std::move(fraction)) {}

  std::string whole_;     // digits before the point, without leading zeros
  std::string fraction_;  // digits after it, without trailing zeros
};

// A file name (its last component, no folder) read by that convention: the
// extension is the text from its last full stop; before it, "@", a density
// and "x" or "X" end a density name, whose base is the text before the "@".
// A name without an extension, or with nothing before the "@", has no
// density: its base is all of it before the extension.
struct DensityName {
  std::string_view base;           // "logo" for "logo@2x.png" and "logo.png"
  std::optional<Density> density;  // nothing for a name without the suffix
  std::string_view extension;      // ".png"; empty for a name without one
};

DensityName ReadDensityName(std::string_view name);

}  // namespace tagsmit
