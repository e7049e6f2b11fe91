#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kHeifDamaged[] = "avif/heif ファイルがおかしい";

bool IsHeif(std::span<const std::uint8_t> head);

// Size of the primary item of an AVIF or HEIF file (HEIC among them) as it is
// displayed: its image spatial extents, cut to the clean aperture and turned
// by the rotation among its properties. Reads the file-level boxes up to the
// meta box, and that box whole when it holds at most 1 MiB.
SizeResult GetHeifSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
