#include "path/directory_path.h"

#include "base/ascii.h"
#include "path/path_syntax.h"

namespace tagsmit {
namespace {

// Whether `prefix` (a normalized directory) contains `path` (normalized).
bool Contains(const PathSyntax& syntax, const std::string& prefix, const std::string& path) {
  if (path.compare(0, prefix.size(), prefix) != 0) return false;
  return path.size() == prefix.size() || syntax.IsSeparator(prefix.back()) ||
         syntax.IsSeparator(path[prefix.size()]);
}

}  // namespace

std::string DirectoryRoot(PathStyle style, const std::string& path) {
  if (style == PathStyle::Windows) {
    return PathSyntax::HasDriveLetter(path) ? path.substr(0, 2) + "\\" : std::string{};
  }
  return path.starts_with('/') ? std::string{"/"} : std::string{};
}

std::vector<std::string> ComponentsBelowRoot(PathStyle style, const std::string& path) {
  const PathSyntax syntax(style);
  return syntax.PlainComponents(std::string_view(path).substr(syntax.DriveLength()));
}

std::string JoinPath(PathStyle style, const std::string& parent, const std::string& name) {
  const PathSyntax syntax(style);
  return syntax.IsSeparator(parent.back()) ? parent + name : parent + syntax.separator() + name;
}

std::string NormalizeDirectory(PathStyle style, const std::string& path) {
  std::string result = DirectoryRoot(style, path);
  if (result.empty()) return result;
  for (const auto& part : ComponentsBelowRoot(style, path)) result = JoinPath(style, result, part);
  return result;
}

std::string DriveOf(PathStyle style, const std::vector<std::string>& drives,
                    const std::string& path) {
  if (style == PathStyle::Windows) {
    if (path.empty()) return {};
    for (const auto& drive : drives) {
      if (!drive.empty() && AsciiLower(drive[0]) == AsciiLower(path[0])) return drive;
    }
    return {};
  }
  const std::string normalized = NormalizeDirectory(style, path);
  if (normalized.empty()) return {};
  const PathSyntax syntax(style);
  std::string best;
  std::size_t best_length = 0;
  for (const auto& drive : drives) {
    const std::string root = NormalizeDirectory(style, drive);
    if (!root.empty() && root.size() > best_length && Contains(syntax, root, normalized)) {
      best = drive;
      best_length = root.size();
    }
  }
  return best;
}

std::string DriveRoot(PathStyle style, const std::string& drive) {
  if (style == PathStyle::Windows) return DirectoryRoot(style, drive);
  return NormalizeDirectory(style, drive);
}

}  // namespace tagsmit
