#include "platform/posix/holder_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace tagsmit {
namespace {

std::string CannotStart(int error) {
  return std::string("cannot start the clipboard holder: ") + std::strerror(error);
}

// No process may hold more descriptors than this unless the administrator has
// raised the kernel's own ceiling (fs.nr_open).
constexpr int kDescriptorCeiling = 1 << 20;

// Closes every descriptor from 3 on but those in `keep`. close_range is
// missing before Linux 5.9 (ENOSYS) and refused by seccomp profiles older
// than it (EPERM); then each open descriptor is closed on its own, as /proc
// lists them, or every number below the descriptor limit where /proc is
// missing.
void CloseDescriptorsFrom3(std::array<int, 2> keep) {
  std::sort(keep.begin(), keep.end());
  bool ranged = true;
  unsigned from = 3;
  for (const int fd : keep) {
    const auto kept = static_cast<unsigned>(fd);
    if (kept > from) ranged = ranged && close_range(from, kept - 1, 0) == 0;
    if (kept >= from) from = kept + 1;
  }
  if (ranged && close_range(from, UINT_MAX, 0) == 0) return;
  const auto closing = [&keep](int fd) {
    return fd >= 3 && std::find(keep.begin(), keep.end(), fd) == keep.end();
  };
  if (DIR* listing = opendir("/proc/self/fd")) {
    std::vector<int> listed;
    while (const dirent* entry = readdir(listing)) listed.push_back(std::atoi(entry->d_name));
    closedir(listing);
    for (const int fd : listed) {
      if (closing(fd)) close(fd);
    }
    return;
  }
  rlimit limit{};
  const int end = getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < kDescriptorCeiling
                      ? static_cast<int>(limit.rlim_cur)
                      : kDescriptorCeiling;
  for (int fd = 3; fd < end; ++fd) {
    if (closing(fd)) close(fd);
  }
}

// Detaches from the terminal, the working directory and every descriptor but
// those in `keep`, so that neither a closing terminal, a caller reading our
// output nor an unmount waits on the holder. Among the descriptors closed is
// the write end of the parent's `ready` pipe, on which the parent waits.
void Detach(std::array<int, 2> keep) {
  setsid();
  if (chdir("/") != 0) {
    // Nothing to do about it: the holder serves the clipboard all the same.
  }
  const int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  CloseDescriptorsFrom3(keep);
}

// Returns once every write end of `fd` is closed. Nothing is ever written.
void WaitForEof(int fd) {
  char byte;
  while (read(fd, &byte, 1) < 0 && errno == EINTR) {
  }
}

// The word the parent sends on `line`; 0 when the line closes without one.
char AwaitWord(int line) {
  char word = 0;
  ssize_t got;
  while ((got = read(line, &word, 1)) < 0 && errno == EINTR) {
  }
  return got == 1 ? word : 0;
}

}  // namespace

Status StartHolderProcess(int keep_fd, const std::function<void()>& serve) {
  // The line closes as we return: the holder begins at once.
  const Result<HolderLine> started = StartHolderAfterWord(keep_fd, [&serve](char) { serve(); });
  return started.ok() ? Status::Ok() : Status::Failure(started.error());
}

HolderLine::~HolderLine() {
  if (fd_ >= 0) close(fd_);
}

bool HolderLine::Send(char word) {
  const bool sent = send(fd_, &word, 1, MSG_NOSIGNAL) == 1;
  close(std::exchange(fd_, -1));
  return sent;
}

Result<HolderLine> StartHolderAfterWord(int keep_fd, const std::function<void(char word)>& serve) {
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) return Result<HolderLine>::Failure(CannotStart(errno));
  int line[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, line) != 0) {
    const int error = errno;
    close(ready[0]);
    close(ready[1]);
    return Result<HolderLine>::Failure(CannotStart(error));
  }
  // The holder inherits every page the heap keeps, freed or not, and would
  // keep them resident for as long as it serves: what the run has freed (its
  // working copies of the text, among others) goes back to the system first.
  malloc_trim(0);
  const pid_t pid = fork();
  if (pid == 0) {
    Detach({keep_fd, line[1]});
    const char word = AwaitWord(line[1]);
    close(line[1]);
    serve(word);
    _exit(0);
  }
  const int error = errno;
  close(line[1]);
  if (pid < 0) {
    close(line[0]);
    close(ready[0]);
    close(ready[1]);
    return Result<HolderLine>::Failure(CannotStart(error));
  }
  close(ready[1]);
  WaitForEof(ready[0]);
  close(ready[0]);
  return HolderLine(line[0]);
}

}  // namespace tagsmit
