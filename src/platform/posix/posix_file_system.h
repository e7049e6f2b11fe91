#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
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

 private:
  // The names a folder lists, as read while its modification time was the
  // one kept: the lookups of the many files of one drop read their folder
  // once, not once a file.
  struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    int lookups = 0;                                       // while unchanged
    std::optional<std::unordered_set<std::string>> names;  // from the second lookup on
  };

  // The name under which `path`'s folder lists it: the typed name when listed
  // as it is, otherwise (a case-folding file system) the entry that is the
  // same file. Empty when the folder cannot be read.
  std::string ListedName(const std::string& path);
  // Whether `folder` lists `name` exactly as written.
  bool Lists(const std::string& folder, const std::string& name);

  std::unordered_map<std::string, Listing> listings_;
};

}  // namespace tagsmit
