#pragma once

#include <string>

#include "image/read_outcome.h"
#include "platform/file_system.h"

namespace tagsmit {

// Logical screen size from the header of a GIF87a or GIF89a file.
ReadOutcome GetGifSize(FileSystem& fs, const std::string& path);

}  // namespace tagsmit
