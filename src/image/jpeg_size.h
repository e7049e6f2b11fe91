#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

bool IsJpeg(std::span<const std::uint8_t> head);

// Size from the first frame header of a JPEG file: baseline, extended,
// progressive or lossless, and with more formats every other kind as well.
// Segment bodies before it are skipped, not read, but for the Exif segment
// when the size as displayed is wanted.
SizeResult GetJpegSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
