#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// The file system of a POSIX system. Nothing is hidden here: a name that begins
// with a full stop is an ordinary name to the lookups. Relative paths are taken
// from the process's current directory.
class PosixFileSystem : public FileSystem {
 public:
  PathStyle Style() const override { return PathStyle::Posix; }
  OpenedFile OpenForReading(const std::string& path) override;
  std::string LookupFileName(const std::string& path) override;
  std::string LookupEntryName(const std::string& path) override;
  // Names compared exactly; a symbolic link to a file counts as the file.
  std::vector<std::string> FileNamesStartingWith(const std::string& path) override;
  std::string CurrentDirectory() override;
  std::optional<std::string> LinkTarget(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  // The one root, "/"; where the system tells its mounts, the volumes it
  // mounted may follow (LinuxFileSystem).
  std::vector<std::string> Drives() override;
  // Directories (also through symbolic links), sorted without regard to
  // letter case; names beginning with a full stop are left out, as desktop
  // file choosers hide them.
  std::vector<std::string> Subdirectories(const std::string& path) override;
};

}  // namespace tagsmit
