#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace tagsmit {

// Width and height of an image, or a message saying why there are none. The
// message is the only sign of failure: 0 x 0 is a valid size.
struct SizeResult {
  std::int16_t width = 0;
  std::int16_t height = 0;
  std::string message;
};

SizeResult SizeFailure(const std::string& message);

// Measures a GIF or JPEG file, chosen by the last three characters of the
// path. Every failure becomes a message; nothing is shown.
SizeResult GetImageSize(FileSystem& fs, const std::string& path);

}  // namespace tagsmit
