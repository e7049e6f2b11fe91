#include "platform/linux/holder_process.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace tagsmit {
namespace {

Status CannotStart(int error) {
  return Status::Failure(std::string("cannot start the clipboard holder: ") + std::strerror(error));
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
  if (keep_fd > 3) close_range(3, static_cast<unsigned>(keep_fd) - 1, 0);
  close_range(static_cast<unsigned>(keep_fd) + 1, UINT_MAX, 0);
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
