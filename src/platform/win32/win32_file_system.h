#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// The Windows file system: drive letters, '\' (or '/') separators, names
// compared without regard to case, short aliases, hidden and system marks.
// Relative paths are taken from the process's current directory. Paths of
// any length reach the system (SystemPath), and paths in the extended-length
// form \\?\ are taken as they are.
class Win32FileSystem final : public FileSystem {
 public:
  PathStyle Style() const override { return PathStyle::Windows; }
  // Anything but a disk file (a console, a pipe, a port) fails with Other
  // before a byte is read.
  OpenedFile OpenForReading(const std::string& path) override;
  // Names with wildcards ('*', '?' and the DOS forms '<', '>', '"') match
  // nothing: they are patterns, not names.
  std::string LookupFileName(const std::string& path) override;
  // A path ending in a separator, or a bare drive ("D:"), gives the first
  // visible entry of that folder; "." for an existing folder that lists none.
  std::string LookupEntryName(const std::string& path) override;
  // Names compared as the system compares them, without regard to case.
  std::vector<std::string> FileNamesStartingWith(const std::string& path) override;
  std::string CurrentDirectory() override;
  bool IsDirectory(const std::string& path) override;
  // "A:\", "C:\", ... in letter order, ready or not.
  std::vector<std::string> Drives() override;
  // Visible subdirectories, sorted as the system compares names (without
  // regard to case).
  std::vector<std::string> Subdirectories(const std::string& path) override;
};

}  // namespace tagsmit
