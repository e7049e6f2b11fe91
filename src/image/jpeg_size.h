#pragma once

#include <string>

#include "image/read_outcome.h"
#include "platform/file_system.h"

namespace tagsmit {

// Size from the first baseline, extended, progressive or lossless frame
// header of a JPEG file. Segment bodies before it are skipped, not read.
ReadOutcome GetJpegSize(FileSystem& fs, const std::string& path);

}  // namespace tagsmit
