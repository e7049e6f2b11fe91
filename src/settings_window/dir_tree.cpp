#include "settings_window/dir_tree.h"

#include "path/directory_path.h"

namespace tagsmit {

DirListing ListDirectory(FileSystem& fs, const std::string& normalized_path) {
  const PathStyle style = fs.Style();
  DirListing listing;
  std::string path = DirectoryRoot(style, normalized_path);
  listing.entries.push_back({path, path, 0});
  for (const auto& part : ComponentsBelowRoot(style, normalized_path)) {
    path = JoinPath(style, path, part);
    listing.entries.push_back({part, path, static_cast<int>(listing.entries.size())});
  }
  listing.current = static_cast<int>(listing.entries.size()) - 1;
  const int depth = listing.current + 1;
  for (const auto& name : fs.Subdirectories(path)) {
    listing.entries.push_back({name, JoinPath(style, path, name), depth});
  }
  return listing;
}

}  // namespace tagsmit
