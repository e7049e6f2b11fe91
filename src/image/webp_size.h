#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kWebpDamaged[] = "webp ファイルがおかしい";

bool IsWebp(std::span<const std::uint8_t> head);

// Size from the first chunk of a RIFF WEBP file: the frame of a lossy (VP8)
// or lossless (VP8L) image, or the canvas of an extended one (VP8X).
SizeResult GetWebpSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
