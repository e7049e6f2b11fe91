#include "image/exif_orientation.h"

#include <string_view>

#include "image/byte_order.h"

namespace tagsmit {
namespace {

constexpr std::string_view kExifMark{"Exif\0\0", 6};
constexpr std::uint64_t kOrientationTag = 0x0112;
constexpr std::uint64_t kShortType = 3;
constexpr std::uint64_t kEntrySize = 12;  // tag, type, count, value or offset

}  // namespace

bool IsExif(std::span<const std::uint8_t> app1_body) {
  return TextAt(app1_body, 0, kExifMark);
}

std::optional<std::uint64_t> ExifOrientation(std::span<const std::uint8_t> app1_body) {
  if (!IsExif(app1_body)) return std::nullopt;
  return TiffOrientation(app1_body.subspan(kExifMark.size()));
}

std::optional<std::uint64_t> TiffOrientation(std::span<const std::uint8_t> tiff) {
  // Offsets count from the TIFF header, whose first two bytes give the byte order.
  ByteOrder order;
  if (TextAt(tiff, 0, "II")) {
    order = ByteOrder::kLittle;
  } else if (TextAt(tiff, 0, "MM")) {
    order = ByteOrder::kBig;
  } else {
    return std::nullopt;
  }
  const auto directory = CheckedNumberAt(tiff, 4, 4, order);
  if (!directory) return std::nullopt;
  const auto entries = CheckedNumberAt(tiff, *directory, 2, order);
  if (!entries) return std::nullopt;
  for (std::uint64_t i = 0; i < *entries; ++i) {
    const std::uint64_t entry = *directory + 2 + i * kEntrySize;
    const auto tag = CheckedNumberAt(tiff, entry, 2, order);
    if (!tag) return std::nullopt;
    if (*tag != kOrientationTag) continue;
    // One short at the start of the four-byte value field. Browsers take no
    // other type or count, so an orientation stored otherwise is not applied.
    if (CheckedNumberAt(tiff, entry + 2, 2, order) != kShortType ||
        CheckedNumberAt(tiff, entry + 4, 4, order) != 1) {
      return std::nullopt;
    }
    return CheckedNumberAt(tiff, entry + 8, 2, order);
  }
  return std::nullopt;
}

}  // namespace tagsmit
