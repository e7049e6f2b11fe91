#include "image/ico_size.h"

#include <array>

#include "image/byte_order.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr std::uint8_t kIconType = 1;
constexpr std::uint8_t kCursorType = 2;

std::uint64_t Side(std::uint8_t stored) {
  return stored == 0 ? 256 : stored;
}

// Bits per pixel of an entry; where an icon does not give them, or the entry
// is a cursor's, the fewest that its colour count needs (0 counting as 256).
std::uint64_t Depth(std::span<const std::uint8_t> entry, bool icon) {
  const std::uint64_t bits = icon ? LittleEndian(entry, 6, 2) : 0;
  if (bits != 0) return bits;
  std::uint64_t depth = 0;
  for (std::uint64_t colours = (entry[2] == 0 ? 256 : entry[2]) - 1; colours != 0; colours >>= 1) {
    ++depth;
  }
  return depth;
}

// Reserved 0, then the type, both little-endian 16-bit.
bool HasIcoSignature(std::span<const std::uint8_t> head) {
  return head.size() >= 4 && head[0] == 0 && head[1] == 0 &&
         (head[2] == kIconType || head[2] == kCursorType) && head[3] == 0;
}

}  // namespace

bool IsIco(std::span<const std::uint8_t> head) {
  // Then a count of at least one entry: a TGA file without a colour map
  // begins with the same four bytes, then a count of 0.
  return HasIcoSignature(head) && head.size() >= 6 && LittleEndian(head, 4, 2) != 0;
}

SizeResult GetIcoSize(ByteReader& in, const SizeSwitches&) {
  std::array<std::uint8_t, 6> header{};
  if (!in.Read(std::span(header).first(4))) return Unsuitable();
  if (!HasIcoSignature(header)) return SizeFailure(kIcoDamaged);
  if (!in.Read(std::span(header).subspan(4))) return Unsuitable();
  const std::uint64_t count = LittleEndian(header, 4, 2);
  if (count == 0) return SizeFailure(kIcoDamaged);

  // Entries of 16 bytes: width, height, colour count, reserved, then planes
  // and bits per pixel of an icon, the hot spot of a cursor. Browsers show
  // the largest picture, of equal areas the deepest, of those the first.
  ImageSize largest;
  std::uint64_t largest_depth = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    std::array<std::uint8_t, 16> entry{};
    if (!in.Read(entry)) return Unsuitable();
    const ImageSize size{Side(entry[0]), Side(entry[1])};
    const std::uint64_t area = size.width * size.height;
    const std::uint64_t largest_area = largest.width * largest.height;
    const std::uint64_t depth = Depth(entry, header[2] == kIconType);
    if (area > largest_area || (area == largest_area && depth > largest_depth)) {
      largest = size;
      largest_depth = depth;
    }
  }
  return largest;
}

}  // namespace tagsmit
