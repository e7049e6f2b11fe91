#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "platform/settings_file/settings_folder.h"

namespace tagsmit {
namespace {

// Temporary files are named after their file with this infix, so that the
// leftovers of killed saves can be told from every other file in the folder.
constexpr std::string_view kTemporaryInfix = ".tmp-";

Status SystemFailure(int error) {
  return Status::Failure(std::strerror(error));
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
  return SystemFailure(error == EEXIST ? ENOTDIR : error);
}

// Under the lock no other save is under way, so every temporary file of
// `path` in the folder is what a killed save left.
void RemoveLeftovers(int folder_fd, const std::filesystem::path& path) {
  const std::string prefix = path.filename().string() + std::string(kTemporaryInfix);
  const int fd = openat(folder_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) {
    close(fd);
    return;
  }
  while (const dirent* entry = readdir(dir)) {
    if (std::string_view(entry->d_name).starts_with(prefix)) unlinkat(folder_fd, entry->d_name, 0);
  }
  closedir(dir);
}

// Whether there is a file to open at `path`, as far as the system says
// without opening it; why not (ReadWholeFile's failures) otherwise.
Status LookAt(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return Status::Failure(kNoFile, ErrorKind::kNotFound);
  }
  if (error) return Status::Failure(error.message());
  if (!std::filesystem::is_regular_file(status)) {
    return Status::Failure(kNotAFile, ErrorKind::kNotAFile);
  }
  return Status::Ok();
}

Status WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    ssize_t written = write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return SystemFailure(errno);
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  if (fsync(fd) != 0) return SystemFailure(errno);
  return Status::Ok();
}

// Writes the temporary file and puts it in place of `path`; the caller
// removes the temporary file when this fails.
Status WriteAndRename(int fd, const std::filesystem::path& temporary,
                      const std::filesystem::path& path, std::string_view contents) {
  Status written = WriteAll(fd, contents);
  if (close(fd) != 0 && written.ok()) written = SystemFailure(errno);
  if (!written.ok()) return written;
  if (rename(temporary.c_str(), path.c_str()) != 0) return SystemFailure(errno);
  return Status::Ok();
}

}  // namespace

std::filesystem::path FollowLinks(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::path target = std::filesystem::canonical(path, error); !error) {
    return target;
  }
  return path;
}

bool FileMissing(const std::filesystem::path& path) {
  const Status seen = LookAt(path);
  return !seen.ok() && seen.kind() == ErrorKind::kNotFound;
}

Result<std::string> ReadWholeFile(const std::filesystem::path& path) {
  if (Status seen = LookAt(path); !seen.ok()) {
    return Result<std::string>::Failure(seen.error(), seen.kind());
  }
  // Read with the system's own calls: every start reads the settings, and a
  // C++ file stream would first build the C++ locales, which costs a run more
  // memory than all the rest of its work.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Result<std::string>::Failure(std::strerror(errno));
  Result<std::string> contents{std::string()};
  char buffer[1 << 16];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) != 0) {
    if (got > 0) {
      contents.value().append(buffer, static_cast<std::size_t>(got));
    } else if (errno != EINTR) {
      contents = Result<std::string>::Failure(std::strerror(errno));
      break;
    }
  }
  close(fd);
  return contents;
}

Result<FolderLock> FolderLock::Take(const std::filesystem::path& folder) {
  if (Status made = MakeFolders(folder); !made.ok())
    return Result<FolderLock>::Failure(made.error());
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Result<FolderLock>::Failure(std::strerror(errno));
  // Waiting in the kernel's queue, rather than polling, keeps a process that
  // saves again and again from starving the other; a save takes milliseconds.
  for (;;) {
    if (flock(fd, LOCK_EX) == 0) return FolderLock(fd, true);
    if (errno != EINTR) return FolderLock(fd, false);  // no locks on this file system
  }
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), locked_(other.locked_) {}

FolderLock::~FolderLock() {
  if (handle_ >= 0) close(handle_);  // which releases the lock
}

Status ReplaceFileAtomically(const FolderLock& lock, const std::filesystem::path& path,
                             std::string_view contents) {
  // Without a lock another save may be writing its temporary file right now.
  if (lock.locked_) RemoveLeftovers(lock.handle_, path);

  std::string name = path.string() + std::string(kTemporaryInfix) + "XXXXXX";
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return SystemFailure(errno);
  const std::filesystem::path temporary = name;
  if (Status replaced = WriteAndRename(fd, temporary, path, contents); !replaced.ok()) {
    unlink(temporary.c_str());
    return replaced;
  }

  // The new file is in place; syncing the folder makes the rename itself
  // survive a crash. Failing here cannot undo the replacement, so the save
  // still counts as done.
  fsync(lock.handle_);
  return Status::Ok();
}

Status KeepUnder(const std::filesystem::path& path, const std::filesystem::path& copy) {
  if (link(path.c_str(), copy.c_str()) == 0) return Status::Ok();
  if (errno == EEXIST) return Status::Failure(std::strerror(errno), ErrorKind::kTaken);
  std::error_code error;
  if (std::filesystem::copy_file(path, copy, std::filesystem::copy_options::none, error)) {
    return Status::Ok();
  }
  if (error == std::errc::file_exists) return Status::Failure(error.message(), ErrorKind::kTaken);
  std::error_code ignored;
  std::filesystem::remove(copy, ignored);  // a partial copy
  return Status::Failure(error.message());
}

void RemoveKept(const std::filesystem::path& copy) {
  unlink(copy.c_str());
}

}  // namespace tagsmit
