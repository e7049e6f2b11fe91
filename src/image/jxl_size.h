#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kJxlDamaged[] = "jxl ファイルがおかしい";

// A JPEG XL codestream, bare or in its ISO base media container.
bool IsJxl(std::span<const std::uint8_t> head);

// Size from the codestream's size header, turned by its orientation when the
// size as displayed is wanted.
SizeResult GetJxlSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
