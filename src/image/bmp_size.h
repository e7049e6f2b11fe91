#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kBmpDamaged[] = "bmp ファイルがおかしい";

bool IsBmp(std::span<const std::uint8_t> head);

// Size from the bitmap header after the file header: unsigned 16-bit in the
// core header of OS/2 1.x, signed 32-bit in every later one, where a negative
// height stands for rows stored top down.
SizeResult GetBmpSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
