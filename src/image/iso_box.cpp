#include "image/iso_box.h"

#include "image/byte_order.h"

namespace tagsmit {
namespace {

constexpr std::uint64_t kHeaderSize = 8;        // 32-bit size, type
constexpr std::uint64_t kLargeHeaderSize = 16;  // then a 64-bit size
constexpr std::uint64_t kLargeSizeMark = 1;
constexpr std::uint64_t kToEndMark = 0;

}  // namespace

bool HasLargeSize(std::span<const std::uint8_t> header) {
  return BigEndian(header, 0, 4) == kLargeSizeMark;
}

std::optional<IsoBoxExtent> BoxExtent(std::span<const std::uint8_t> header,
                                      std::uint64_t size_to_end) {
  IsoBoxExtent extent{BigEndian(header, 0, 4), kHeaderSize};
  if (extent.box_size == kLargeSizeMark) {
    extent = {BigEndian(header, 8, 8), kLargeHeaderSize};
  } else if (extent.box_size == kToEndMark) {
    extent.box_size = size_to_end;
  }
  if (extent.box_size < extent.header_size) return std::nullopt;
  return extent;
}

std::optional<IsoBox> IsoBoxes::Next() {
  if (rest_.empty() || malformed_) return std::nullopt;
  const bool fits =
      rest_.size() >= kHeaderSize && (!HasLargeSize(rest_) || rest_.size() >= kLargeHeaderSize);
  const auto extent = fits ? BoxExtent(rest_, rest_.size()) : std::nullopt;
  if (!extent || extent->box_size > rest_.size()) {
    malformed_ = true;
    return std::nullopt;
  }
  const IsoBox box{std::string_view(reinterpret_cast<const char*>(rest_.data()) + 4, 4),
                   rest_.subspan(extent->header_size, extent->box_size - extent->header_size)};
  rest_ = rest_.subspan(extent->box_size);
  return box;
}

std::optional<IsoBox> FindBox(std::span<const std::uint8_t> bytes, std::string_view type) {
  IsoBoxes boxes(bytes);
  while (const auto box = boxes.Next()) {
    if (box->type == type) return box;
  }
  return std::nullopt;
}

}  // namespace tagsmit
