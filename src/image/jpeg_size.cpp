#include "image/jpeg_size.h"

#include <array>
#include <cstdint>
#include <span>

namespace tagsmit {
namespace {

constexpr char kJpgWrong[] = "jpg ファイルがおかしい";
constexpr char kJpgStrange[] = "jpg ファイルが変です";

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kStartOfScan = 0xDA;
// Baseline, extended sequential, progressive and lossless frame headers.
constexpr std::uint8_t kFirstFrameHeader = 0xC0;
constexpr std::uint8_t kLastFrameHeader = 0xC3;

bool ReadByte(ByteReader& in, std::uint8_t& byte) {
  return in.Read(std::span(&byte, 1));
}

}  // namespace

ReadOutcome GetJpegSize(FileSystem& fs, const std::string& path) {
  OpenResult opened = fs.OpenForReading(path);
  if (!opened.reader) return ReadFailureOf(opened.failure);
  ByteReader& in = *opened.reader;

  std::array<std::uint8_t, 2> start{};
  if (!in.Read(start)) return ReadFailure::Unsuitable;
  if (start[0] != kMarkerPrefix || start[1] != kStartOfImage) return SizeFailure(kJpgWrong);

  for (;;) {
    // Running out of bytes between segments means no frame header at all;
    // running out anywhere else is a damaged file.
    if (in.AtEnd()) return SizeFailure(kJpgStrange);

    // Stray bytes before a marker are passed over, then its fill bytes.
    std::uint8_t code = 0;
    if (!in.SkipPast(kMarkerPrefix) || !in.SkipWhile(kMarkerPrefix) || !ReadByte(in, code)) {
      return ReadFailure::Unsuitable;
    }

    if (code == kStartOfScan) return SizeFailure(kJpgStrange);

    if (code >= kFirstFrameHeader && code <= kLastFrameHeader) {
      // Length (2), sample precision (1), lines (2), samples per line (2).
      std::array<std::uint8_t, 7> frame{};
      if (!in.Read(frame)) return ReadFailure::Unsuitable;
      const auto height = SignedFromBytes(frame[3], frame[4]);
      const auto width = SignedFromBytes(frame[5], frame[6]);
      if (!width || !height) return ReadFailure::Unsuitable;
      return SizeResult{*width, *height, {}};
    }

    // Every other marker is taken to carry a length that counts itself. The
    // length is unsigned: camera files carry APP segments above 32767 bytes.
    std::array<std::uint8_t, 2> length_bytes{};
    if (!in.Read(length_bytes)) return ReadFailure::Unsuitable;
    const unsigned length = length_bytes[0] * 256u + length_bytes[1];
    if (length >= 2 && !in.Skip(length - 2)) return ReadFailure::Unsuitable;
  }
}

}  // namespace tagsmit
