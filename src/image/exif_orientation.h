#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tagsmit {

// True when the body of an APP1 segment holds Exif data (not XMP).
bool IsExif(std::span<const std::uint8_t> app1_body);

// The orientation tag (1 to 8 when valid) of the first image directory of
// Exif data, given the body of the APP1 segment that holds it; none when the
// body is not Exif, has no such tag or ends too early.
std::optional<std::uint64_t> ExifOrientation(std::span<const std::uint8_t> app1_body);

// The same of Exif data that starts with its TIFF header, as a PNG's eXIf
// chunk holds it.
std::optional<std::uint64_t> TiffOrientation(std::span<const std::uint8_t> tiff);

// Orientations 5 to 8 turn the stored picture by a quarter.
inline bool TurnsByAQuarter(std::optional<std::uint64_t> orientation) {
  return orientation && *orientation >= 5 && *orientation <= 8;
}

}  // namespace tagsmit
