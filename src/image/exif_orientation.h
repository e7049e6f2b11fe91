#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tagsmit {

// The orientation tag (1 to 8 when valid) of the first image directory of
// Exif data, given the body of the APP1 segment that holds it; none when the
// body is not Exif, has no such tag or ends too early.
std::optional<std::uint64_t> ExifOrientation(std::span<const std::uint8_t> app1_body);

}  // namespace tagsmit
