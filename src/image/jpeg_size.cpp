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

constexpr char kJpgWrong[] = "jpg ファイルがおかしい";
constexpr char kJpgStrange[] = "jpg ファイルが変です";

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1;

// Baseline, extended sequential, progressive and lossless frame headers; with
// `every_kind` also the differential and arithmetic-coded ones, C0 to CF but
// for the tables (C4 DHT, CC DAC) and the reserved C8.
bool IsFrameHeader(std::uint8_t code, bool every_kind) {
  if (every_kind)
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
  return code >= 0xC0 && code <= 0xC3;
}

// Orientations 5 to 8 turn the stored picture by a quarter.
bool TurnsByAQuarter(std::optional<std::uint64_t> orientation) {
  return orientation && *orientation >= 5 && *orientation <= 8;
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
  if (!IsJpeg(start)) return SizeFailure(kJpgWrong);

  std::optional<std::uint64_t> orientation;
  for (;;) {
    // Running out of bytes between segments means no frame header at all;
    // running out anywhere else is a damaged file.
    if (in.AtEnd()) return SizeFailure(kJpgStrange);

    // Stray bytes before a marker are passed over, then its fill bytes.
    std::uint8_t code = 0;
    if (!in.SkipPast(kMarkerPrefix) || !in.SkipWhile(kMarkerPrefix) || !ReadByte(in, code)) {
      return Unsuitable();
    }

    if (code == kStartOfScan) return SizeFailure(kJpgStrange);

    if (IsFrameHeader(code, switches.more_formats)) {
      // Length (2), sample precision (1), lines (2), samples per line (2).
      std::array<std::uint8_t, 7> frame{};
      if (!in.Read(frame)) return Unsuitable();
      ImageSize size{BigEndian(frame, 5, 2), BigEndian(frame, 3, 2)};
      if (switches.display_size && TurnsByAQuarter(orientation)) {
        std::swap(size.width, size.height);
      }
      return size;
    }

    // Every other marker is taken to carry a length that counts itself. The
    // length is unsigned: camera files carry APP segments above 32767 bytes.
    std::array<std::uint8_t, 2> length_bytes{};
    if (!in.Read(length_bytes)) return Unsuitable();
    const std::uint64_t length = BigEndian(length_bytes, 0, 2);
    const std::uint64_t body_size = length >= 2 ? length - 2 : 0;
    if (switches.display_size && code == kApp1 && !orientation) {
      // The first Exif segment gives the orientation; XMP shares its marker.
      std::vector<std::uint8_t> body(body_size);
      if (!in.Read(body)) return Unsuitable();
      orientation = ExifOrientation(body);
    } else if (!in.Skip(body_size)) {
      return Unsuitable();
    }
  }
}

}  // namespace tagsmit
