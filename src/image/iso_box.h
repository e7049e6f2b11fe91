#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tagsmit {

// One box of the ISO base media file format (HEIF, AVIF): its four-letter
// type and its content after the header.
struct IsoBox {
  std::string_view type;
  std::span<const std::uint8_t> body;
};

// The boxes that lie end to end in memory, one after another.
class IsoBoxes {
 public:
  explicit IsoBoxes(std::span<const std::uint8_t> bytes) : rest_(bytes) {}

  // The next box; none after the last one, or when a box does not fit in
  // what is left, which makes the run malformed.
  std::optional<IsoBox> Next();
  bool malformed() const { return malformed_; }

 private:
  std::span<const std::uint8_t> rest_;
  bool malformed_ = false;
};

// The first box of `type` among the boxes in `bytes`, if one comes before the
// run ends or turns out malformed.
std::optional<IsoBox> FindBox(std::span<const std::uint8_t> bytes, std::string_view type);

// The size of a box as a whole and of its header, from its first 8 bytes and,
// when those say so, the 64-bit size after them: none when the size is smaller
// than the header. `header` holds at least 8 bytes, 16 for a 64-bit size.
struct IsoBoxExtent {
  std::uint64_t box_size;
  std::uint64_t header_size;
};
bool HasLargeSize(std::span<const std::uint8_t> header);
std::optional<IsoBoxExtent> BoxExtent(std::span<const std::uint8_t> header,
                                      std::uint64_t size_to_end);

}  // namespace tagsmit
