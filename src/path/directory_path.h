#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// Absolute directory paths as the directory picker walks them: a drive letter
// and a colon on Windows (either separator after it), a leading '/' on POSIX.

// The root part of an absolute path ("C:\" or "/"), or empty text.
std::string DirectoryRoot(PathStyle style, const std::string& path);

// The components of an absolute path below its root, "." and ".." applied.
std::vector<std::string> ComponentsBelowRoot(PathStyle style, const std::string& path);

// `name` inside the directory `parent`, with one separator between them.
std::string JoinPath(PathStyle style, const std::string& parent, const std::string& name);

// The absolute path in a plain form: no empty or "." components, ".." applied,
// no trailing separator except on a root. Empty text for a path that is not
// absolute.
std::string NormalizeDirectory(PathStyle style, const std::string& path);

// The drive a path lies on, taken from `drives`: on Windows the drive with the
// path's first letter, on POSIX the mount point that is the longest prefix of
// the path. Empty text when none fits.
std::string DriveOf(PathStyle style, const std::vector<std::string>& drives,
                    const std::string& path);

// The root directory of a drive as a normalized path.
std::string DriveRoot(PathStyle style, const std::string& drive);

}  // namespace tagsmit
