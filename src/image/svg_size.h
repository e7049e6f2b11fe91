#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

inline constexpr char kSvgDamaged[] = "svg ファイルがおかしい";
// Neither a width and height nor a view box.
inline constexpr char kSvgNoSize[] = "svg ファイルに寸法がありません";

// Markup (after a UTF-8 byte-order mark and blanks) whose root element is an
// svg element, or whose prolog runs past the first bytes.
bool IsSvg(std::span<const std::uint8_t> head);

// Size from the width and height of the root svg element, completed from its
// viewBox where either is missing or relative. Reads the text up to the end
// of that element's start tag, which must come within the first 1 MiB.
SizeResult GetSvgSize(ByteReader& in, const SizeSwitches& switches);

}  // namespace tagsmit
