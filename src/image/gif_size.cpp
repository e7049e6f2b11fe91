#include "image/gif_size.h"

#include <array>

#include "image/byte_order.h"
#include "image/image_reader.h"

namespace tagsmit {

bool IsGif(std::span<const std::uint8_t> head) {
  // Case matters: "gif89a" is not a GIF signature.
  return TextAt(head, 0, "GIF87a") || TextAt(head, 0, "GIF89a");
}

SizeResult GetGifSize(ByteReader& in, const SizeSwitches&) {
  std::array<std::uint8_t, 6> signature{};
  if (!in.Read(signature)) return Unsuitable();
  if (!IsGif(signature)) return SizeFailure("gif ファイルがおかしい");

  // Logical screen width and height, little-endian.
  std::array<std::uint8_t, 4> screen{};
  if (!in.Read(screen)) return Unsuitable();
  return ImageSize{LittleEndian(screen, 0, 2), LittleEndian(screen, 2, 2)};
}

}  // namespace tagsmit
