#pragma once

#include <cstdint>
#include <string>

#include "base/result.h"
#include "platform/file_system.h"

namespace tagsmit {

// Width and height in pixels. 0 x 0 is a valid size. Readers give what the
// file holds; a measured size is at most 2^31 - 1 each way.
struct ImageSize {
  std::uint64_t width = 0;
  std::uint64_t height = 0;
};

// An image's size, or a message saying why there is none.
using SizeResult = Result<ImageSize>;

SizeResult SizeFailure(const std::string& message);

// The run's switches that change how an image is measured; both off by default.
struct SizeSwitches {
  // The reader chosen by the file's content instead of its name's last three
  // characters, for more formats, and sizes up to 2^31 - 1 instead of 32767;
  // a side of 0, which no browser shows, is a damaged file.
  bool more_formats = false;
  // The size as displayed, as browsers show it: an orientation that turns the
  // picture by a quarter (JPEG and PNG Exif, JPEG XL) swaps width and height,
  // and a GIF's first frame beyond its screen grows the canvas.
  bool display_size = false;
};

// Measures an image file. Every failure becomes a message; nothing is shown.
SizeResult GetImageSize(FileSystem& fs, const std::string& path, SizeSwitches switches = {});

}  // namespace tagsmit
