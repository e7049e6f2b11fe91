#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// What the reference-path routines need to know about one path style, so that
// a single implementation of each routine serves both styles.
//
// Windows: the drive part is the first two characters ("C:"), '\' separates,
// names compare without regard to (ASCII) letter case. Posix: the drive part
// is the empty text before the leading '/', '/' separates, names compare
// exactly, and there are no other drives.
class PathSyntax {
 public:
  explicit PathSyntax(PathStyle style) : style_(style) {}

  PathStyle style() const { return style_; }
  char separator() const { return style_ == PathStyle::Windows ? '\\' : '/'; }
  bool SameName(std::string_view a, std::string_view b) const;

  // The path that GetActualPath walks, or nothing when it cannot be walked.
  // Windows: the path with its forward slashes made backslashes when it
  // starts with a drive letter and a colon, followed by a separator or
  // nothing; a path in the extended-length form (\\?\C:\...) without its
  // prefix, which names the same file (no slash separates there). Posix: the
  // path made absolute with the current directory, without empty, "." and
  // ".." components (the root is "/"), where ".." after a symbolic link leads
  // above the link's target, as the system goes; nothing for links that loop.
  std::optional<std::string> Rooted(const std::string& path, FileSystem& fs) const;
  // Bytes of the drive part at the front of a path that Rooted returned.
  std::size_t DriveLength() const { return style_ == PathStyle::Windows ? 2 : 0; }

  // Two paths are on the same drive when their keys are equal. Windows: the
  // first two characters, lower-cased. Posix: whether the path is absolute.
  std::string DriveKey(std::string_view path) const;
  // How a file on another drive is named, before separators become slashes.
  // Windows: "/" in front and "|" for the second character (/D|\Pic\a.gif).
  // Posix: the path itself, which is absolute.
  std::string DriveQualified(std::string_view file) const;

  // Whether the path starts with a drive letter and a colon ("C:").
  static bool HasDriveLetter(std::string_view path);
  // The separator, and on Windows also '/', which Windows takes as one too.
  bool IsSeparator(char c) const;
  // The components of a path, split at every separator: empty and "."
  // components dropped, ".." taking back the one before it (none at the top).
  std::vector<std::string> PlainComponents(std::string_view path) const;

  // Where the first separator (IsSeparator) of `path` is, or npos.
  std::size_t FindSeparator(std::string_view path) const;
  // The first component of `rest` (the text before its first separator, or
  // all of it); `rest` becomes the text after that separator, or empty.
  std::string_view SplitFirst(std::string_view& rest) const;
  // The first component of `path`, leaving it as it is.
  std::string_view FirstComponent(std::string_view path) const;
  // Where the last component of `path` starts: after its last separator, or
  // on Windows after the drive of a path such as "C:a.gif"; 0 when it has neither.
  std::size_t NameStart(std::string_view path) const;

 private:
  PathStyle style_;
};

}  // namespace tagsmit
