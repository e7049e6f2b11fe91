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

// The listing of a directory given in normalized form (NormalizeDirectory).
DirListing ListDirectory(FileSystem& fs, const std::string& normalized_path);

}  // namespace tagsmit
