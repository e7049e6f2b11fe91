#include "image/gif_size.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace tagsmit {
namespace {

constexpr char kGifWrong[] = "gif ファイルがおかしい";

bool IsGifSignature(const std::array<std::uint8_t, 6>& bytes) {
  // Case matters: "gif89a" is not a GIF signature.
  constexpr std::string_view kGif87a = "GIF87a";
  constexpr std::string_view kGif89a = "GIF89a";
  return std::equal(bytes.begin(), bytes.end(), kGif87a.begin()) ||
         std::equal(bytes.begin(), bytes.end(), kGif89a.begin());
}

}  // namespace

ReadOutcome GetGifSize(FileSystem& fs, const std::string& path) {
  OpenResult opened = fs.OpenForReading(path);
  if (!opened.reader) return ReadFailureOf(opened.failure);
  ByteReader& in = *opened.reader;

  std::array<std::uint8_t, 6> signature{};
  if (!in.Read(signature)) return ReadFailure::Unsuitable;
  if (!IsGifSignature(signature)) return SizeFailure(kGifWrong);

  // Logical screen width and height, little-endian.
  std::array<std::uint8_t, 4> screen{};
  if (!in.Read(screen)) return ReadFailure::Unsuitable;
  const auto width = SignedFromBytes(screen[1], screen[0]);
  const auto height = SignedFromBytes(screen[3], screen[2]);
  if (!width || !height) return ReadFailure::Unsuitable;
  return SizeResult{*width, *height, {}};
}

}  // namespace tagsmit
