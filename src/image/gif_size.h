#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kGifDamaged[] = "gif ファイルがおかしい";

bool IsGif(std::span<const std::uint8_t> head);

// Logical screen size from the header of a GIF87a or GIF89a file.
SizeResult GetGifSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
