#include "platform/wayland/clipboard_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstring>

#include "platform/wayland/clipboard_formats.h"

namespace tagsmit::wayland {
namespace {

constexpr int kAnswerTimeoutMs = 5000;

using Text = Result<std::string>;

// Everything written into `fd` until the writer closes it.
Text ReadToEnd(int fd) {
  std::string text;
  char buffer[16384];
  for (;;) {
    pollfd readable{fd, POLLIN, 0};
    const int ready = poll(&readable, 1, kAnswerTimeoutMs);
    if (ready == 0) return Text::Failure("the clipboard owner stopped answering");
    if (ready < 0 && errno == EINTR) continue;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) return text;
    if (got > 0) {
      text.append(buffer, static_cast<std::size_t>(got));
    } else if (errno != EINTR && errno != EAGAIN) {
      return Text::Failure(std::string("the clipboard answer could not be read: ") +
                           std::strerror(errno));
    }
  }
}

}  // namespace

Result<std::string> ReadClipboard(Connection& connection) {
  const std::unique_ptr<DataControl> control = connection.BindDataControl();
  // The compositor announces the current selection to a new data device.
  if (Status announced = connection.RoundTrip(); !announced.ok())
    return Text::Failure(announced.error());
  const std::vector<std::string>* offered = control->SelectionTypes();
  if (!offered) return Text::Failure("the clipboard is empty");
  const char* type = TextMimeTypeAmong(*offered);
  if (!type) return Text::Failure("the clipboard holds no text");

  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) {
    return Text::Failure(std::string("cannot read the clipboard: ") + std::strerror(errno));
  }
  control->Receive(type, pipe_fds[1]);
  // The request carries its own copy of the write end; ours must close for
  // the text to end.
  const int sent = wl_display_flush(connection.display());
  close(pipe_fds[1]);
  Text text = sent < 0 ? Text::Failure("the connection to the Wayland compositor broke")
                       : ReadToEnd(pipe_fds[0]);
  close(pipe_fds[0]);
  return text;
}

}  // namespace tagsmit::wayland
