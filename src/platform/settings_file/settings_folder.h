#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tagsmit {

// The folder of one application's settings file, as the store reads and
// changes it. Failures carry the system's reason alone; the store names the
// file.

// The path the store reads and replaces for `path`: on POSIX the file a
// symbolic link points to, so that a save changes that file and the link
// stays; on Windows, and where `path` names nothing yet, `path` itself.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

// The reasons ReadWholeFile gives for nothing at its path and for something
// other than a regular file there.
inline constexpr const char* kNoFile = "ファイルがありません";
inline constexpr const char* kNotAFile = "通常のファイルではありません";

// Whether nothing is at `path`, as far as the system says without opening
// it: the first step of ReadWholeFile, which it reports as kNotFound.
bool FileMissing(const std::filesystem::path& path);

// The bytes of the file at `path`, or why there are none: kNotFound,
// kNotAFile, or the system's reason. What is not a regular file (a folder, a
// FIFO, a device) is never opened: an open could block or act on it.
Result<std::string> ReadWholeFile(const std::filesystem::path& path);

// One process's exclusive use of a settings folder for a read, change and
// replacement of its file, so that two processes saving at once never lose
// each other's change. Released when the object goes.
class FolderLock {
 public:
  // Creates the folder and its missing parents (readable by the user only) as
  // needed, then waits while another process holds it. Where the file system
  // has no locks, the folder is used without one.
  static Result<FolderLock> Take(const std::filesystem::path& folder);

  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&&) = delete;
  ~FolderLock();

 private:
  friend Status ReplaceFileAtomically(const FolderLock& lock, const std::filesystem::path& path,
                                      std::string_view contents);

#ifdef _WIN32
  using Handle = void*;  // the HANDLE of the folder's lock file
#else
  using Handle = int;  // the descriptor of the open folder
#endif
  FolderLock(Handle handle, bool locked) : handle_(handle), locked_(locked) {}

  Handle handle_;
  bool locked_;
};

// Makes `path`, a file in the locked folder, hold exactly `contents`, or
// leaves it as it was: the text goes to a new file in the same folder,
// reaches the disk, and then takes the place of `path` in one step. Removes
// the temporary files that saves killed half-way have left, and leaves none
// of its own on failure.
Status ReplaceFileAtomically(const FolderLock& lock, const std::filesystem::path& path,
                             std::string_view contents);

// Keeps the file at `path` as it is now under the new name `copy`: a second
// link to it where the file system allows that (no partial copy can be left),
// a copy otherwise. A failure of kind kTaken when `copy` is taken already.
Status KeepUnder(const std::filesystem::path& path, const std::filesystem::path& copy);

// Removes a copy that KeepUnder made, where it can.
void RemoveKept(const std::filesystem::path& copy);

}  // namespace tagsmit
