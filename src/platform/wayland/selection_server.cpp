#include "platform/wayland/selection_server.h"

#include <unistd.h>

#include <vector>

namespace tagsmit::wayland {

void SelectionServer::Send(const char* mime_type, int fd) {
  if (const std::optional<std::string_view> data = text_.As(mime_type)) {
    transfers_.Start(fd, *data, TextTransfers::Clock::now());
  } else {
    close(fd);  // a type we never offered: an empty answer
  }
}

void SelectionServer::Serve(Connection* connection) {
  std::vector<pollfd> fds;
  bool connected = connection != nullptr;
  for (;;) {
    const bool listening = connected && !lost();
    if (!listening && transfers_.empty()) return;
    fds.clear();
    transfers_.Watch(fds);
    const int timeout_ms = transfers_.TimeoutMs(TextTransfers::Clock::now());
    if (listening) {
      connected = connection->WaitAndDispatch(fds, timeout_ms);
    } else {
      poll(fds.data(), fds.size(), timeout_ms);
    }
    transfers_.Continue(fds, TextTransfers::Clock::now());
  }
}

}  // namespace tagsmit::wayland
