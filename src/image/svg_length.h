#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tagsmit {

// A width or height of an svg element in pixels, for the units of a fixed
// size at 96 pixels per inch (none, px, pt, pc, mm, cm, in); none for
// percentages, for the units that depend on fonts or the viewport, and for
// text that is not a length or is negative.
std::optional<double> AbsoluteLength(std::string_view text);

// The width and height of a viewBox attribute: four numbers apart by blanks
// and/or a comma; none unless both are above 0.
struct ViewBoxSize {
  double width;
  double height;
};
std::optional<ViewBoxSize> ViewBox(std::string_view text);

// Whole pixels, rounded to the nearest; a length too large for any size stays
// out of range rather than wrapping.
std::uint64_t Pixels(double length);

}  // namespace tagsmit
