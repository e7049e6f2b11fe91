#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kJpegDamaged[] = "jpg ファイルがおかしい";
// No frame header before the scan data or the end of the file.
inline constexpr char kJpegNoFrame[] = "jpg ファイルが変です";

bool IsJpeg(std::span<const std::uint8_t> head);

// Size from the first frame header of a JPEG file: baseline, extended,
// progressive or lossless, and with more formats every other kind as well.
// Segment bodies before it are skipped, not read, but for the Exif segment
// when the size as displayed is wanted.
SizeResult GetJpegSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
