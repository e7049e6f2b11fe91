#include "platform/posix/holder_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tagsmit {
namespace {

Status CannotStart(int error) {
  return Status::Failure(std::string("cannot start the clipboard holder: ") + std::strerror(error));
}

// No process may hold more descriptors than this unless the administrator has
// raised the kernel's own ceiling (fs.nr_open).
constexpr int kDescriptorCeiling = 1 << 20;

// Closes every descriptor from 3 on but `keep_fd`. close_range is missing
// before Linux 5.9 (ENOSYS) and refused by seccomp profiles older than it
// (EPERM); then each open descriptor is closed on its own, as /proc lists
// them, or every number below the descriptor limit where /proc is missing.
void CloseDescriptorsFrom3(int keep_fd) {
  const auto keep = static_cast<unsigned>(keep_fd);
  if ((keep <= 3 || close_range(3, keep - 1, 0) == 0) && close_range(keep + 1, UINT_MAX, 0) == 0) {
    return;
  }
  if (DIR* listing = opendir("/proc/self/fd")) {
    std::vector<int> listed;
    while (const dirent* entry = readdir(listing)) listed.push_back(std::atoi(entry->d_name));
    closedir(listing);
    for (const int fd : listed) {
      if (fd >= 3 && fd != keep_fd) close(fd);
    }
    return;
  }
  rlimit limit{};
  const int end = getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < kDescriptorCeiling
                      ? static_cast<int>(limit.rlim_cur)
                      : kDescriptorCeiling;
  for (int fd = 3; fd < end; ++fd) {
    if (fd != keep_fd) close(fd);
  }
}

// Detaches from the terminal, the working directory and every descriptor but
// `keep_fd`, so that neither a closing terminal, a caller reading our output
// nor an unmount waits on the holder. Among the descriptors closed is the
// write end of the parent's `ready` pipe, on which the parent waits.
void Detach(int keep_fd) {
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
  CloseDescriptorsFrom3(keep_fd);
}

// Returns once every write end of `fd` is closed. Nothing is ever written.
void WaitForEof(int fd) {
  char byte;
  while (read(fd, &byte, 1) < 0 && errno == EINTR) {
  }
}

}  // namespace

Status StartHolderProcess(int keep_fd, const std::function<void()>& serve) {
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) return CannotStart(errno);
  // The holder inherits every page the heap keeps, freed or not, and would
  // keep them resident for as long as it serves: what the run has freed (its
  // working copies of the text, among others) goes back to the system first.
  malloc_trim(0);
  const pid_t pid = fork();
  if (pid == 0) {
    Detach(keep_fd);
    serve();
    _exit(0);
  }
  if (pid < 0) {
    const int error = errno;
    close(ready[0]);
    close(ready[1]);
    return CannotStart(error);
  }
  close(ready[1]);
  WaitForEof(ready[0]);
  close(ready[0]);
  return Status::Ok();
}

}  // namespace tagsmit
