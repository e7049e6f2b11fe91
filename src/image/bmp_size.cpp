#include "image/bmp_size.h"

#include <array>
#include <cstdint>

#include "image/byte_order.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr std::uint64_t kCoreHeaderSize = 12;
constexpr std::uint64_t kSmallestInfoHeaderSize = 16;  // OS/2 2.x may cut its header short

// A 32-bit two's complement number.
std::int64_t Signed32(std::uint64_t bits) {
  return static_cast<std::int64_t>(bits) - (bits >= 0x8000'0000 ? 0x1'0000'0000 : 0);
}

}  // namespace

bool IsBmp(std::span<const std::uint8_t> head) {
  return TextAt(head, 0, "BM");
}

SizeResult GetBmpSize(ByteReader& in, const SizeSwitches&) {
  // File header (14), the bitmap header's own size (4), then width and height.
  std::array<std::uint8_t, 26> header{};
  if (!in.Read(std::span(header).first(2))) return Unsuitable();
  if (!IsBmp(header)) return SizeFailure(kBmpDamaged);
  if (!in.Read(std::span(header).subspan(2, 16))) return Unsuitable();
  const std::uint64_t header_size = LittleEndian(header, 14, 4);

  if (header_size == kCoreHeaderSize) {
    if (!in.Read(std::span(header).subspan(18, 4))) return Unsuitable();
    return ImageSize{LittleEndian(header, 18, 2), LittleEndian(header, 20, 2)};
  }
  if (header_size < kSmallestInfoHeaderSize) return SizeFailure(kBmpDamaged);
  if (!in.Read(std::span(header).subspan(18, 8))) return Unsuitable();
  const std::int64_t width = Signed32(LittleEndian(header, 18, 4));
  const std::int64_t height = Signed32(LittleEndian(header, 22, 4));
  if (width < 0) return SizeFailure(kBmpDamaged);
  return ImageSize{static_cast<std::uint64_t>(width),
                   static_cast<std::uint64_t>(height < 0 ? -height : height)};
}

}  // namespace tagsmit
