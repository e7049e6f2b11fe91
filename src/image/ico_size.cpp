#include "image/ico_size.h"

#include <array>

#include "image/byte_order.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr char kIcoWrong[] = "ico ファイルがおかしい";
constexpr std::uint8_t kIconType = 1;
constexpr std::uint8_t kCursorType = 2;

std::uint64_t Side(std::uint8_t stored) {
  return stored == 0 ? 256 : stored;
}

}  // namespace

bool IsIco(std::span<const std::uint8_t> head) {
  // Reserved 0, then the type, both little-endian 16-bit.
  return head.size() >= 4 && head[0] == 0 && head[1] == 0 &&
         (head[2] == kIconType || head[2] == kCursorType) && head[3] == 0;
}

SizeResult GetIcoSize(ByteReader& in, const SizeSwitches&) {
  std::array<std::uint8_t, 6> header{};
  if (!in.Read(std::span(header).first(4))) return Unsuitable();
  if (!IsIco(header)) return SizeFailure(kIcoWrong);
  if (!in.Read(std::span(header).subspan(4))) return Unsuitable();
  const std::uint64_t count = LittleEndian(header, 4, 2);
  if (count == 0) return SizeFailure(kIcoWrong);

  // Entries of 16 bytes, width and height first; the first of equal areas wins.
  ImageSize largest;
  for (std::uint64_t i = 0; i < count; ++i) {
    std::array<std::uint8_t, 16> entry{};
    if (!in.Read(entry)) return Unsuitable();
    const ImageSize size{Side(entry[0]), Side(entry[1])};
    if (size.width * size.height > largest.width * largest.height) largest = size;
  }
  return largest;
}

}  // namespace tagsmit
