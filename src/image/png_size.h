#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kPngDamaged[] = "png ファイルがおかしい";

bool IsPng(std::span<const std::uint8_t> head);

// Size from the IHDR chunk, which comes first (after Apple's CgBI chunk in
// the PNG files of iOS applications).
SizeResult GetPngSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
