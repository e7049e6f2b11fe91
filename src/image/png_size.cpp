#include "image/png_size.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "image/byte_order.h"
#include "image/exif_orientation.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1A\n"};
constexpr std::uint64_t kCrcSize = 4;
// The chunks between IHDR and the image data are looked through within these
// bounds for the orientation.
constexpr int kMostChunksBeforeData = 256;
constexpr std::uint64_t kLargestExif = 1 << 20;

// The orientation of an eXIf chunk that comes before the image data, as
// browsers apply it; none when there is none or the file breaks off.
std::optional<std::uint64_t> OrientationBeforeData(ByteReader& in) {
  for (int i = 0; i < kMostChunksBeforeData; ++i) {
    std::array<std::uint8_t, 8> chunk{};
    if (!in.Read(chunk) || TextAt(chunk, 4, "IDAT") || TextAt(chunk, 4, "IEND")) break;
    const std::uint64_t length = BigEndian(chunk, 0, 4);
    if (TextAt(chunk, 4, "eXIf")) {
      if (length > kLargestExif) break;
      std::vector<std::uint8_t> exif(length);
      if (!in.Read(exif)) break;
      return TiffOrientation(exif);
    }
    if (!in.Skip(length + kCrcSize)) break;
  }
  return std::nullopt;
}

}  // namespace

bool IsPng(std::span<const std::uint8_t> head) {
  return TextAt(head, 0, kSignature);
}

SizeResult GetPngSize(ByteReader& in, const SizeSwitches& switches) {
  std::array<std::uint8_t, kSignature.size()> signature{};
  if (!in.Read(signature)) return Unsuitable();
  if (!IsPng(signature)) return SizeFailure(kPngDamaged);

  // Chunks: length, type, data, CRC. At most one CgBI chunk before IHDR.
  for (bool first = true;; first = false) {
    std::array<std::uint8_t, 8> chunk{};
    if (!in.Read(chunk)) return Unsuitable();
    const std::uint64_t length = BigEndian(chunk, 0, 4);
    if (first && TextAt(chunk, 4, "CgBI")) {
      if (!in.Skip(length + kCrcSize)) return Unsuitable();
      continue;
    }
    if (!TextAt(chunk, 4, "IHDR") || length < 8) return SizeFailure(kPngDamaged);
    std::array<std::uint8_t, 8> sides{};
    if (!in.Read(sides)) return Unsuitable();
    ImageSize size{BigEndian(sides, 0, 4), BigEndian(sides, 4, 4)};
    if (switches.display_size && in.Skip(length - sides.size() + kCrcSize) &&
        TurnsByAQuarter(OrientationBeforeData(in))) {
      std::swap(size.width, size.height);
    }
    return size;
  }
}

}  // namespace tagsmit
