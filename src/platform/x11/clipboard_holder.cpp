#include "platform/x11/clipboard_holder.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/x11/clipboard_owner.h"

namespace tagsmit::x11 {
namespace {

// The holder tells its parent one of two things through a pipe, then closes
// it: this byte alone when it owns the selection, or a message.
constexpr char kOwned = '\0';

void Report(int fd, const std::string& message) {
  for (std::size_t at = 0; at < message.size();) {
    const ssize_t n = write(fd, message.data() + at, message.size() - at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    at += static_cast<std::size_t>(n);
  }
}

// Detaches from the terminal and from every descriptor of the parent, so that
// neither a closing terminal nor a caller reading our output waits on it.
void Detach(int report_fd) {
  setsid();
  const int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  if (report_fd > 3) close_range(3, static_cast<unsigned>(report_fd) - 1, 0);
  close_range(static_cast<unsigned>(report_fd) + 1, UINT_MAX, 0);
}

[[noreturn]] void RunHolder(int report_fd, const std::string& text) {
  Detach(report_fd);
  Result<std::shared_ptr<Connection>> connection = Connection::Open();
  if (!connection.ok()) {
    Report(report_fd, connection.error());
    _exit(1);
  }
  ClipboardOwner owner(*connection.value(), text);
  if (Status acquired = owner.Acquire(); !acquired.ok()) {
    Report(report_fd, acquired.error());
    _exit(1);
  }
  Report(report_fd, std::string(1, kOwned));
  close(report_fd);
  owner.Serve();
  _exit(0);  // no destructors or exit handlers of the parent's state
}

std::string ReadAll(int fd) {
  std::string data;
  char buffer[512];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return data;
    data.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

Status StartClipboardHolder(const std::string& text) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    return Status::Failure(std::string("cannot start the clipboard holder: ") +
                           std::strerror(errno));
  }
  const pid_t pid = fork();
  if (pid < 0) {
    const int error = errno;
    close(report[0]);
    close(report[1]);
    return Status::Failure(std::string("cannot start the clipboard holder: ") +
                           std::strerror(error));
  }
  if (pid == 0) {
    // The parent's connection stays the parent's (Detach closes it here):
    // the holder makes its own.
    RunHolder(report[1], text);
  }

  close(report[1]);
  const std::string answer = ReadAll(report[0]);
  close(report[0]);
  if (answer.size() == 1 && answer[0] == kOwned) return Status::Ok();
  waitpid(pid, nullptr, 0);
  return Status::Failure(answer.empty() ? "the clipboard holder ended before it held the clipboard"
                                        : answer);
}

}  // namespace tagsmit::x11
