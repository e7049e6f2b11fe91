#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kIcoDamaged[] = "ico ファイルがおかしい";

bool IsIco(std::span<const std::uint8_t> head);

// Size of the largest picture listed in the directory of an icon or cursor
// file, where a width or height of 0 stands for 256.
SizeResult GetIcoSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
