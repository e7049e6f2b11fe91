#pragma once

#include <string>

#include "platform/file_system.h"

namespace tagsmit {

// The path with every component spelled as stored, or empty text when it or
// one of its components is not found.
std::string GetActualPath(FileSystem& fs, const std::string& path);

// Relative path from the base directory to the file: "./" or "../" repeated,
// then the rest of the file path.
std::string MakeRelativePath(PathStyle style, std::string base, std::string file);

// The reference path with forward slashes: relative on the same drive,
// drive-qualified on another; empty text for an empty file path.
std::string MakeUrlPath(PathStyle style, const std::string& base, const std::string& file);

}  // namespace tagsmit
