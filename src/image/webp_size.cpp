#include "image/webp_size.h"

#include <array>

#include "image/byte_order.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr std::uint64_t k14Bits = 0x3FFF;

}  // namespace

bool IsWebp(std::span<const std::uint8_t> head) {
  return TextAt(head, 0, "RIFF") && TextAt(head, 8, "WEBP");
}

SizeResult GetWebpSize(ByteReader& in, const SizeSwitches&) {
  // RIFF header (12), then the first chunk's type and size (8).
  std::array<std::uint8_t, 20> header{};
  if (!in.Read(std::span(header).first(12))) return Unsuitable();
  if (!IsWebp(header)) return SizeFailure(kWebpDamaged);
  if (!in.Read(std::span(header).subspan(12))) return Unsuitable();
  const bool lossy = TextAt(header, 12, "VP8 ");
  const bool lossless = TextAt(header, 12, "VP8L");
  const bool extended = TextAt(header, 12, "VP8X");
  if (!lossy && !lossless && !extended) return SizeFailure(kWebpDamaged);

  // The start of the chunk's data holds the size in each of the three kinds.
  std::array<std::uint8_t, 10> data{};
  if (!in.Read(std::span(data).first(lossless ? 5 : 10))) return Unsuitable();
  if (lossy) {
    // Frame tag (3), start code 9D 01 2A, then 14-bit width and height, each
    // under two bits of scaling that the size does not include.
    if (data[3] != 0x9D || data[4] != 0x01 || data[5] != 0x2A) return SizeFailure(kWebpDamaged);
    return ImageSize{LittleEndian(data, 6, 2) & k14Bits, LittleEndian(data, 8, 2) & k14Bits};
  }
  if (lossless) {
    // Signature 2F, then 14 bits of width - 1 and 14 bits of height - 1.
    if (data[0] != 0x2F) return SizeFailure(kWebpDamaged);
    const std::uint64_t bits = LittleEndian(data, 1, 4);
    return ImageSize{(bits & k14Bits) + 1, (bits >> 14 & k14Bits) + 1};
  }
  // Flags (1), reserved (3), then 24 bits of canvas width - 1 and height - 1.
  return ImageSize{LittleEndian(data, 4, 3) + 1, LittleEndian(data, 7, 3) + 1};
}

}  // namespace tagsmit
