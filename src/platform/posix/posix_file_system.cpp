#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#include "base/ascii.h"
#include "platform/posix/posix_byte_reader.h"

namespace tagsmit {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The folder part and the last component of a path that does not end in '/'.
std::pair<std::string, std::string> SplitLast(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

bool StatIsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Only "no such entry" in a folder that exists is a missing file; a missing
// folder, a path through a file, a denied search and the rest are other failures.
constexpr const char* kNotARegularFile = "not a regular file";

OpenedFile Failed(int error, const std::string& path) {
  const bool missing = error == ENOENT && !path.empty() && path.back() != '/' &&
                       StatIsDirectory(SplitLast(path).first);
  return OpenedFile::Failure(std::strerror(error),
                             missing ? ErrorKind::kNotFound : ErrorKind::kOther);
}

// The first entry of a folder other than "." and "..". An empty folder still
// exists, so it answers with its own entry ".".
std::string FirstEntry(const std::string& folder) {
  DirHandle dir(::opendir(folder.c_str()));
  if (!dir) return {};
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!IsDotOrDotDot(entry->d_name)) return entry->d_name;
  }
  return ".";
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const std::string folded_a = AsciiLower(a);
  const std::string folded_b = AsciiLower(b);
  if (folded_a != folded_b) return folded_a < folded_b;
  return a < b;  // names that differ only in case keep a fixed order
}

}  // namespace

std::string PosixFileSystem::ListedName(const std::string& path) {
  const auto [folder, name] = SplitLast(path);
  if (Lists(folder, name)) return name;
  DirHandle dir(::opendir(folder.c_str()));
  if (!dir) return {};
  struct stat self {};
  if (::lstat(path.c_str(), &self) != 0) return {};
  while (const dirent* entry = ::readdir(dir.get())) {
    struct stat st {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        st.st_dev == self.st_dev && st.st_ino == self.st_ino) {
      return entry->d_name;
    }
  }
  return {};
}

bool PosixFileSystem::Lists(const std::string& folder, const std::string& name) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return false;
  Listing& listing = listings_[folder];
  // A folder changed within one tick of its clock keeps its time: a name
  // added then is missing from the listing, and the search for the same file
  // finds it; one removed is no longer there to be looked up.
  if (listing.device != st.st_dev || listing.inode != st.st_ino ||
      listing.modified.tv_sec != st.st_mtim.tv_sec ||
      listing.modified.tv_nsec != st.st_mtim.tv_nsec) {
    listing = {st.st_dev, st.st_ino, st.st_mtim, 0, std::nullopt};
  }
  if (listing.names) return listing.names->contains(name);
  DirHandle dir(::opendir(folder.c_str()));
  if (!dir) {
    listings_.erase(folder);
    return false;
  }
  // The first lookup reads only up to the name, as a run of one file always
  // did; the next one in the same folder keeps all of its names.
  if (listing.lookups++ == 0) {
    while (const dirent* entry = ::readdir(dir.get())) {
      if (name == entry->d_name) return true;
    }
    return false;
  }
  listing.names.emplace();
  while (const dirent* entry = ::readdir(dir.get())) listing.names->emplace(entry->d_name);
  return listing.names->contains(name);
}

OpenedFile PosixFileSystem::OpenForReading(const std::string& path) {
  // Looking before opening keeps device nodes from seeing an open at all:
  // some act on it, and a FIFO would wait for a writer.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Failed(errno, path);
  if (!S_ISREG(st.st_mode)) return OpenedFile::Failure(kNotARegularFile);

  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Failed(errno, path);
  // The entry may have been replaced between the look and the open.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return OpenedFile::Failure(kNotARegularFile);
  }
  return OpenedFile(std::make_unique<PosixByteReader>(fd, static_cast<std::uint64_t>(st.st_size)));
}

std::string PosixFileSystem::LookupFileName(const std::string& path) {
  if (path.empty() || path.back() == '/') return {};
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  return ListedName(path);
}

std::string PosixFileSystem::LookupEntryName(const std::string& path) {
  if (path.empty()) return {};
  if (path.back() == '/') return FirstEntry(path);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) return {};
  return ListedName(path);
}

std::vector<std::string> PosixFileSystem::FileNamesStartingWith(const std::string& path) {
  std::vector<std::string> names;
  if (path.empty() || path.back() == '/') return names;
  const auto [folder, start] = SplitLast(path);
  DirHandle dir(::opendir(folder.c_str()));
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!std::string_view(entry->d_name).starts_with(start)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  return names;
}

std::string PosixFileSystem::CurrentDirectory() {
  std::string buffer(256, '\0');
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
      buffer.resize(buffer.find('\0'));
      return buffer;
    }
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::string> PosixFileSystem::LinkTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
  // The size a link reports may be 0 (as in /proc), so the buffer grows until
  // the text fits with room to spare.
  std::string target(static_cast<std::size_t>(st.st_size) + 1, '\0');
  for (;;) {
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return std::nullopt;
    if (static_cast<std::size_t>(length) < target.size()) {
      target.resize(static_cast<std::size_t>(length));
      return target;
    }
    target.resize(target.size() * 2 + 64);
  }
}

bool PosixFileSystem::IsDirectory(const std::string& path) {
  return StatIsDirectory(path);
}

std::vector<std::string> PosixFileSystem::Drives() {
  return {"/"};
}

std::vector<std::string> PosixFileSystem::Subdirectories(const std::string& path) {
  std::vector<std::string> names;
  DirHandle dir(::opendir(path.c_str()));
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (entry->d_name[0] == '.') continue;  // also "." and ".."
    struct stat st {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

}  // namespace tagsmit
