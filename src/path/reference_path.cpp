#include "path/reference_path.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "path/path_syntax.h"

namespace tagsmit {

std::string GetActualPath(FileSystem& fs, const std::string& path) {
  const PathSyntax syntax(fs.Style());
  const std::optional<std::string> rooted = syntax.Rooted(path, fs);
  if (!rooted || fs.LookupEntryName(*rooted).empty()) return {};

  const char separator = syntax.separator();
  std::string actual = rooted->substr(0, syntax.DriveLength());
  std::string_view remainder(*rooted);
  remainder.remove_prefix(std::min(remainder.size(), actual.size() + 1));  // and its separator
  while (!remainder.empty()) {
    const std::string_view component = syntax.SplitFirst(remainder);
    const std::string name = fs.LookupEntryName(actual + separator + std::string(component));
    if (name.empty()) return {};
    actual += separator;
    actual += name;
  }
  // The Posix root has an empty drive part and no component. It is written
  // "/" so that it stays an absolute path that can serve as a base path; the
  // empty text would mean "not found".
  if (actual.empty()) actual = separator;
  return actual;
}

std::string MakeRelativePath(PathStyle style, std::string base, std::string file) {
  const PathSyntax syntax(style);
  while (base.size() >= 2 && base.back() == '.' && syntax.IsSeparator(base[base.size() - 2])) {
    base.resize(base.size() - 2);
    // "/." is the Posix root, not the empty text that stands for no base.
    if (base.empty() && style == PathStyle::Posix) base = "/";
  }

  // Components match up to the first difference; from there on every
  // component left in the base is one level up.
  std::size_t levels = 0;
  std::string_view base_rest(base);
  std::string_view file_rest(file);
  while (!base_rest.empty()) {
    const std::string_view component = syntax.SplitFirst(base_rest);
    if (levels != 0) {
      ++levels;
    } else if (syntax.SameName(component, syntax.FirstComponent(file_rest))) {
      syntax.SplitFirst(file_rest);  // drop the common component
    } else {
      levels = 1;
    }
  }

  std::string relative = levels == 0 ? "./" : "";
  for (; levels > 0; --levels) relative += "../";
  relative += file_rest;
  return relative;
}

std::string MakeUrlPath(PathStyle style, const std::string& base, const std::string& file) {
  if (file.empty()) return {};
  const PathSyntax syntax(style);
  std::string url = syntax.DriveKey(base) == syntax.DriveKey(file)
                        ? MakeRelativePath(style, base, file)
                        : syntax.DriveQualified(file);
  std::replace(url.begin(), url.end(), syntax.separator(), '/');
  return url;
}

}  // namespace tagsmit
