#include "image/gif_size.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "image/byte_order.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr std::uint8_t kImageDescriptor = 0x2C;
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kHasColourTable = 0x80;
// Extensions before the first frame are passed over within this many blocks.
constexpr int kMostBlocksBeforeFrame = 4096;

// Passes over the colour table that `flags` announce.
bool SkipColourTable(ByteReader& in, std::uint8_t flags) {
  return (flags & kHasColourTable) == 0 || in.Skip(3u << ((flags & 7) + 1));
}

// The right and bottom edges of the first frame: its offset and size in the
// image descriptor; none when the file holds no frame before it ends, breaks
// off or runs too long.
std::optional<ImageSize> FirstFrameEdges(ByteReader& in, std::uint8_t screen_flags) {
  if (!SkipColourTable(in, screen_flags)) return std::nullopt;
  for (int blocks = 0; blocks < kMostBlocksBeforeFrame;) {
    std::uint8_t introducer = 0;
    if (!in.Read(std::span(&introducer, 1))) return std::nullopt;
    if (introducer == kImageDescriptor) {
      std::array<std::uint8_t, 8> frame{};
      if (!in.Read(frame)) return std::nullopt;
      return ImageSize{LittleEndian(frame, 0, 2) + LittleEndian(frame, 4, 2),
                       LittleEndian(frame, 2, 2) + LittleEndian(frame, 6, 2)};
    }
    if (introducer != kExtension) return std::nullopt;
    // The label, then data sub-blocks, each after its size, up to a size of 0.
    std::uint8_t size = 0;
    if (!in.Skip(1)) return std::nullopt;
    do {
      if (++blocks > kMostBlocksBeforeFrame || !in.Read(std::span(&size, 1)) || !in.Skip(size)) {
        return std::nullopt;
      }
    } while (size != 0);
  }
  return std::nullopt;
}

}  // namespace

bool IsGif(std::span<const std::uint8_t> head) {
  // Case matters: "gif89a" is not a GIF signature.
  return TextAt(head, 0, "GIF87a") || TextAt(head, 0, "GIF89a");
}

SizeResult GetGifSize(ByteReader& in, const SizeSwitches& switches) {
  std::array<std::uint8_t, 6> signature{};
  if (!in.Read(signature)) return Unsuitable();
  if (!IsGif(signature)) return SizeFailure(kGifDamaged);

  // Logical screen width and height, little-endian.
  std::array<std::uint8_t, 4> screen{};
  if (!in.Read(screen)) return Unsuitable();
  ImageSize size{LittleEndian(screen, 0, 2), LittleEndian(screen, 2, 2)};
  if (!switches.display_size) return size;

  // Browsers paint a first frame that reaches beyond the screen on a canvas
  // grown to hold it.
  std::array<std::uint8_t, 3> flags_and_more{};  // flags, background, aspect
  if (!in.Read(flags_and_more)) return size;
  if (const auto edges = FirstFrameEdges(in, flags_and_more[0])) {
    size = {std::max(size.width, edges->width), std::max(size.height, edges->height)};
  }
  return size;
}

}  // namespace tagsmit
