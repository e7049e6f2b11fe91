#include "platform/x11/clipboard_holder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/x11/clipboard_owner.h"

namespace tagsmit::x11 {
namespace {

Status CannotStart(int error) {
  return Status::Failure(std::string("cannot start the clipboard holder: ") + std::strerror(error));
}

// Detaches from the terminal, the working directory and every descriptor but
// the X connection, so that neither a closing terminal, a caller reading our
// output nor an unmount waits on the holder. Among the descriptors closed is
// the write end of the parent's `ready` pipe, on which the parent waits.
void Detach(int x11_fd) {
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
  if (x11_fd > 3) close_range(3, static_cast<unsigned>(x11_fd) - 1, 0);
  close_range(static_cast<unsigned>(x11_fd) + 1, UINT_MAX, 0);
}

// Returns once every write end of `fd` is closed. Nothing is ever written.
void WaitForEof(int fd) {
  char byte;
  while (read(fd, &byte, 1) < 0 && errno == EINTR) {
  }
}

}  // namespace

Status StartClipboardHolder(Connection& connection, const std::string& text) {
  // The selection is taken here, before the fork, so that it is ours when the
  // caller goes on; the holder only has to keep answering.
  ClipboardOwner owner(connection, text);
  if (Status acquired = owner.Acquire(); !acquired.ok()) return acquired;
  xcb_flush(connection.get());

  // We go on once the holder has detached and so closed its end of `ready`:
  // a caller may end our process group as soon as we return. A holder that
  // dies early closes it too.
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) return CannotStart(errno);
  const pid_t pid = fork();
  if (pid == 0) {
    Detach(xcb_get_file_descriptor(connection.get()));
    owner.Serve();
    _exit(0);  // no destructors or exit handlers of the parent's state
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
  connection.HandOver();
  return Status::Ok();
}

}  // namespace tagsmit::x11
