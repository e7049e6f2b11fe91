#include "image/jpeg_size.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "image/byte_order.h"
#include "image/exif_orientation.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1;
// Past the frame header, the Exif segment is looked for among this many.
constexpr int kMostSegmentsAfterFrame = 64;

// Baseline, extended sequential, progressive and lossless frame headers; with
// `every_kind` also the differential and arithmetic-coded ones, C0 to CF but
// for the tables (C4 DHT, CC DAC) and the reserved C8.
bool IsFrameHeader(std::uint8_t code, bool every_kind) {
  if (every_kind)
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
  return code >= 0xC0 && code <= 0xC3;
}

bool ReadByte(ByteReader& in, std::uint8_t& byte) {
  return in.Read(std::span(&byte, 1));
}

}  // namespace

bool IsJpeg(std::span<const std::uint8_t> head) {
  return head.size() >= 2 && head[0] == kMarkerPrefix && head[1] == kStartOfImage;
}

SizeResult GetJpegSize(ByteReader& in, const SizeSwitches& switches) {
  std::array<std::uint8_t, 2> start{};
  if (!in.Read(start)) return Unsuitable();
  if (!IsJpeg(start)) return SizeFailure(kJpegDamaged);

  // With the size as displayed, the walk goes on past the frame header to the
  // first Exif segment, which may stand there too, as far as the scan.
  std::optional<ImageSize> frame;
  bool exif_seen = false;
  std::optional<std::uint64_t> orientation;
  int segments_after_frame = 0;
  // Once a frame header has been read, its size turned as the Exif segment
  // says; before, the failure.
  const auto frame_or = [&](SizeResult otherwise) -> SizeResult {
    if (!frame) return otherwise;
    ImageSize size = *frame;
    if (TurnsByAQuarter(orientation)) std::swap(size.width, size.height);
    return size;
  };
  for (;;) {
    if (frame && (exif_seen || segments_after_frame++ == kMostSegmentsAfterFrame)) {
      return frame_or(Unsuitable());
    }
    // Running out of bytes between segments means no frame header at all;
    // running out anywhere else is a damaged file.
    if (in.AtEnd()) return frame_or(SizeFailure(kJpegNoFrame));

    // Stray bytes before a marker are passed over, then its fill bytes.
    std::uint8_t code = 0;
    if (!in.SkipPast(kMarkerPrefix) || !in.SkipWhile(kMarkerPrefix) || !ReadByte(in, code)) {
      return frame_or(Unsuitable());
    }

    if (code == kStartOfScan) return frame_or(SizeFailure(kJpegNoFrame));

    if (!frame && IsFrameHeader(code, switches.more_formats)) {
      // Length (2), sample precision (1), lines (2), samples per line (2).
      std::array<std::uint8_t, 7> header{};
      if (!in.Read(header)) return Unsuitable();
      frame = ImageSize{BigEndian(header, 5, 2), BigEndian(header, 3, 2)};
      if (!switches.display_size) return *frame;
      const std::uint64_t length = BigEndian(header, 0, 2);
      if (length < header.size() || !in.Skip(length - header.size())) return frame_or(Unsuitable());
      continue;
    }

    // Every other marker is taken to carry a length that counts itself. The
    // length is unsigned: camera files carry APP segments above 32767 bytes.
    std::array<std::uint8_t, 2> length_bytes{};
    if (!in.Read(length_bytes)) return frame_or(Unsuitable());
    const std::uint64_t length = BigEndian(length_bytes, 0, 2);
    const std::uint64_t body_size = length >= 2 ? length - 2 : 0;
    if (switches.display_size && code == kApp1 && !exif_seen) {
      std::vector<std::uint8_t> body(body_size);
      if (!in.Read(body)) return frame_or(Unsuitable());
      // Browsers take the first Exif segment only, whatever it holds; XMP
      // shares its marker.
      if (IsExif(body)) {
        exif_seen = true;
        orientation = ExifOrientation(body);
      }
    } else if (!in.Skip(body_size)) {
      return frame_or(Unsuitable());
    }
  }
}

}  // namespace tagsmit
