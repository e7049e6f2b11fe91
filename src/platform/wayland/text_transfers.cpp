#include "platform/wayland/text_transfers.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <optional>

namespace tagsmit::wayland {

TextTransfers::~TextTransfers() {
  for (const Transfer& transfer : transfers_) close(transfer.fd);
}

void TextTransfers::Start(int fd, std::string_view data, Clock::time_point now) {
  std::signal(SIGPIPE, SIG_IGN);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  Transfer transfer{fd, data, {now, false}};
  if (!Write(transfer)) {
    close(fd);
    return;
  }
  if (const std::optional<Transfer> gone = AddGivingWay(transfers_, transfer)) close(gone->fd);
}

void TextTransfers::Watch(std::vector<pollfd>& fds) const {
  for (const Transfer& transfer : transfers_) fds.push_back({transfer.fd, POLLOUT, 0});
}

void TextTransfers::Continue(const std::vector<pollfd>& fds, Clock::time_point now) {
  std::erase_if(transfers_, [&](Transfer& transfer) {
    const auto entry = std::find_if(fds.begin(), fds.end(),
                                    [&](const pollfd& fd) { return fd.fd == transfer.fd; });
    const bool ready = entry != fds.end() && entry->revents != 0;
    const std::size_t unwritten = transfer.rest.size();
    const bool open = !ready || Write(transfer);
    if (transfer.rest.size() < unwritten) transfer.progress = {now, true};
    const bool going = open && now < IdleEnd(transfer.progress);
    if (!going) close(transfer.fd);
    return !going;
  });
}

int TextTransfers::TimeoutMs(Clock::time_point now) const {
  if (transfers_.empty()) return -1;
  const auto next = std::min_element(transfers_.begin(), transfers_.end(),
                                     [](const Transfer& a, const Transfer& b) {
                                       return a.progress.last_step < b.progress.last_step;
                                     });
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(IdleEnd(next->progress) - now).count();
  return static_cast<int>(std::max<decltype(left)>(left, 0));
}

bool TextTransfers::Write(Transfer& transfer) {
  while (!transfer.rest.empty()) {
    const ssize_t written = write(transfer.fd, transfer.rest.data(), transfer.rest.size());
    if (written > 0) {
      transfer.rest.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else {
      // A full pipe waits for the reader; any other failure ends the transfer.
      return written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
  }
  return false;  // all written: closing the pipe ends the reader's text
}

}  // namespace tagsmit::wayland
