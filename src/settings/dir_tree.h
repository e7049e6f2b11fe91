#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// One line of the directory list.
struct DirEntry {
  std::string name;  // as shown: the root in full, otherwise one component
  std::string path;  // full path that opening the line moves to
  int depth = 0;     // indentation level, 0 for the root
};

// The directory list for one current directory: its ancestors from the root
// down, the directory itself, then its subdirectories.
struct DirListing {
  std::vector<DirEntry> entries;
  int current = -1;  // index of the current directory in `entries`
};

// The absolute path in a plain form: no empty or "." components, ".." applied,
// no trailing separator except on a root. Empty text for a path that is not
// absolute (a drive letter and a colon on Windows, a leading '/' on POSIX).
std::string NormalizeDirectory(PathStyle style, const std::string& path);

// The drive a path lies on, taken from `drives`: on Windows the drive with the
// path's first letter, on POSIX the mount point that is the longest prefix of
// the path. Empty text when none fits.
std::string DriveOf(PathStyle style, const std::vector<std::string>& drives,
                    const std::string& path);

// The root directory of a drive as a normalized path.
std::string DriveRoot(PathStyle style, const std::string& drive);

DirListing ListDirectory(FileSystem& fs, const std::string& normalized_path);

}  // namespace tagsmit
