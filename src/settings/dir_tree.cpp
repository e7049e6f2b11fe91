#include "settings/dir_tree.h"

#include <cctype>

namespace tagsmit {
namespace {

bool IsSeparator(PathStyle style, char c) {
  return c == '/' || (style == PathStyle::Windows && c == '\\');
}

char Separator(PathStyle style) {
  return style == PathStyle::Windows ? '\\' : '/';
}

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// The root part of an absolute path ("C:\" or "/"), or empty text.
std::string RootOf(PathStyle style, const std::string& path) {
  if (style == PathStyle::Windows) {
    return HasDriveLetter(path) ? path.substr(0, 2) + "\\" : std::string{};
  }
  return !path.empty() && path[0] == '/' ? std::string{"/"} : std::string{};
}

std::vector<std::string> Components(PathStyle style, const std::string& path, size_t from) {
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&] {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (size_t at = from; at < path.size(); ++at) {
    if (IsSeparator(style, path[at])) {
      flush();
    } else {
      part += path[at];
    }
  }
  flush();
  return parts;
}

std::string Join(PathStyle style, const std::string& parent, const std::string& name) {
  return IsSeparator(style, parent.back()) ? parent + name : parent + Separator(style) + name;
}

// Whether `prefix` (a normalized directory) contains `path` (normalized).
bool Contains(PathStyle style, const std::string& prefix, const std::string& path) {
  if (path.compare(0, prefix.size(), prefix) != 0) return false;
  return path.size() == prefix.size() || IsSeparator(style, prefix.back()) ||
         IsSeparator(style, path[prefix.size()]);
}

}  // namespace

std::string NormalizeDirectory(PathStyle style, const std::string& path) {
  std::string result = RootOf(style, path);
  if (result.empty()) return result;
  const size_t rest = style == PathStyle::Windows ? 2 : 1;
  for (const auto& part : Components(style, path, rest)) result = Join(style, result, part);
  return result;
}

std::string DriveOf(PathStyle style, const std::vector<std::string>& drives,
                    const std::string& path) {
  if (style == PathStyle::Windows) {
    if (path.empty()) return {};
    const auto letter = std::toupper(static_cast<unsigned char>(path[0]));
    for (const auto& drive : drives) {
      if (!drive.empty() && std::toupper(static_cast<unsigned char>(drive[0])) == letter) {
        return drive;
      }
    }
    return {};
  }
  const std::string normalized = NormalizeDirectory(style, path);
  if (normalized.empty()) return {};
  std::string best;
  size_t best_length = 0;
  for (const auto& drive : drives) {
    const std::string root = NormalizeDirectory(style, drive);
    if (!root.empty() && root.size() > best_length && Contains(style, root, normalized)) {
      best = drive;
      best_length = root.size();
    }
  }
  return best;
}

std::string DriveRoot(PathStyle style, const std::string& drive) {
  if (style == PathStyle::Windows) return RootOf(style, drive);
  return NormalizeDirectory(style, drive);
}

DirListing ListDirectory(FileSystem& fs, const std::string& normalized_path) {
  const PathStyle style = fs.Style();
  DirListing listing;
  std::string path = RootOf(style, normalized_path);
  listing.entries.push_back({path, path, 0});
  const size_t rest = style == PathStyle::Windows ? 2 : 1;
  for (const auto& part : Components(style, normalized_path, rest)) {
    path = Join(style, path, part);
    listing.entries.push_back({part, path, static_cast<int>(listing.entries.size())});
  }
  listing.current = static_cast<int>(listing.entries.size()) - 1;
  const int depth = listing.current + 1;
  for (const auto& name : fs.Subdirectories(path)) {
    listing.entries.push_back({name, Join(style, path, name), depth});
  }
  return listing;
}

}  // namespace tagsmit
