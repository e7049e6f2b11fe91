#pragma once

#include <filesystem>
#include <string_view>

#include "platform/result.h"

namespace tagsmit {

// Makes `path` hold exactly `contents`, or leaves it as it was: the text goes
// to a new file in the same folder, reaches the disk, and then takes the
// place of `path` in one step. Missing folders are created, readable by the
// user only. A failure names the file and the reason, and leaves no
// temporary file behind.
Status ReplaceFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace tagsmit
