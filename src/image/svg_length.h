#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tagsmit {

// XML's white space, between attributes and around numbers.
constexpr std::string_view kSvgBlanks = " \t\r\n";

// The font size that em and rem stand for where the root element sets none:
// an image's SVG document inherits nothing from the page.
constexpr double kDefaultFontSize = 16;

// A width or height of an svg element in pixels, for the units of a fixed
// size at 96 pixels per inch (none, px, pt, pc, mm, cm, in) and em and rem of
// the root's font size; none for percentages, for the other units that
// depend on fonts or the viewport, and for text that is not a length or is
// negative.
std::optional<double> AbsoluteLength(std::string_view text, double font_size);

// The width and height of a viewBox attribute: four numbers apart by blanks
// and/or a comma; none unless both are above 0.
struct ViewBoxSize {
  double width;
  double height;
};
std::optional<ViewBoxSize> ViewBox(std::string_view text);

// Whole pixels, rounded to the nearest; a length too large for any size stays
// out of range rather than wrapping. None for a length that is no number, as
// 0 x 1e400 makes.
std::optional<std::uint64_t> Pixels(double length);

}  // namespace tagsmit
