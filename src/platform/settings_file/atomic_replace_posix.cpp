#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/settings_file/atomic_replace.h"

namespace tagsmit {
namespace {

Status Failed(const std::string& action, const std::filesystem::path& path, int error) {
  return Status::Failure(action + " " + path.string() + ": " + std::strerror(error));
}

// Creates `folder` and its missing parents, each readable by the user only.
Status MakeFolders(const std::filesystem::path& folder) {
  if (mkdir(folder.c_str(), 0700) == 0) return Status::Ok();
  int error = errno;
  if (error == ENOENT && folder.has_relative_path() && folder.parent_path() != folder) {
    if (Status parent = MakeFolders(folder.parent_path()); !parent.ok()) return parent;
    if (mkdir(folder.c_str(), 0700) == 0) return Status::Ok();
    error = errno;
  }
  struct stat info {};
  if (error == EEXIST && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    return Status::Ok();
  }
  return Failed("cannot create the folder", folder, error == EEXIST ? ENOTDIR : error);
}

Status WriteAll(int fd, std::string_view contents, const std::filesystem::path& path) {
  while (!contents.empty()) {
    ssize_t written = write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return Failed("cannot write", path, errno);
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  if (fsync(fd) != 0) return Failed("cannot write", path, errno);
  return Status::Ok();
}

// Writes the temporary file and puts it in place of `path`; the caller
// removes the temporary file when this fails.
Status WriteAndRename(int fd, const std::filesystem::path& temporary,
                      const std::filesystem::path& path, std::string_view contents) {
  Status written = WriteAll(fd, contents, temporary);
  if (close(fd) != 0 && written.ok()) written = Failed("cannot write", temporary, errno);
  if (!written.ok()) return written;
  if (rename(temporary.c_str(), path.c_str()) != 0) return Failed("cannot replace", path, errno);
  return Status::Ok();
}

}  // namespace

Status ReplaceFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  const std::filesystem::path folder = path.parent_path();
  if (Status made = MakeFolders(folder); !made.ok()) return made;

  std::string name = path.string() + ".XXXXXX";
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return Failed("cannot create a file in", folder, errno);
  const std::filesystem::path temporary = name;
  if (Status replaced = WriteAndRename(fd, temporary, path, contents); !replaced.ok()) {
    unlink(temporary.c_str());
    return replaced;
  }

  // The new file is in place; syncing the folder makes the rename itself
  // survive a crash. Failing here cannot undo the replacement, so the save
  // still counts as done.
  if (int folder_fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folder_fd >= 0) {
    fsync(folder_fd);
    close(folder_fd);
  }
  return Status::Ok();
}

}  // namespace tagsmit
