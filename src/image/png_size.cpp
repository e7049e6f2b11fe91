#include "image/png_size.h"

#include <array>
#include <string_view>

#include "image/byte_order.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr char kPngWrong[] = "png ファイルがおかしい";
constexpr std::string_view kSignature{"\x89PNG\r\n\x1A\n"};
constexpr std::uint64_t kCrcSize = 4;

}  // namespace

bool IsPng(std::span<const std::uint8_t> head) {
  return TextAt(head, 0, kSignature);
}

SizeResult GetPngSize(ByteReader& in, const SizeSwitches&) {
  std::array<std::uint8_t, kSignature.size()> signature{};
  if (!in.Read(signature)) return Unsuitable();
  if (!IsPng(signature)) return SizeFailure(kPngWrong);

  // Chunks: length, type, data, CRC. At most one CgBI chunk before IHDR.
  for (bool first = true;; first = false) {
    std::array<std::uint8_t, 8> chunk{};
    if (!in.Read(chunk)) return Unsuitable();
    const std::uint64_t length = BigEndian(chunk, 0, 4);
    if (first && TextAt(chunk, 4, "CgBI")) {
      if (!in.Skip(length + kCrcSize)) return Unsuitable();
      continue;
    }
    if (!TextAt(chunk, 4, "IHDR") || length < 8) return SizeFailure(kPngWrong);
    std::array<std::uint8_t, 8> size{};
    if (!in.Read(size)) return Unsuitable();
    return ImageSize{BigEndian(size, 0, 4), BigEndian(size, 4, 4)};
  }
}

}  // namespace tagsmit
