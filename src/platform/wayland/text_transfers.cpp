#include "platform/wayland/text_transfers.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>

namespace tagsmit::wayland {

TextTransfers::~TextTransfers() {
  for (const Transfer& transfer : transfers_) close(transfer.fd);
}

void TextTransfers::Start(int fd, std::string_view data, Clock::time_point now) {
  std::signal(SIGPIPE, SIG_IGN);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  Transfer transfer{fd, data, now + kIdleLimit};
  if (!Write(transfer, now)) {
    close(fd);
    return;
  }
  if (transfers_.size() == kMaxTransfers) {
    const auto idlest = std::min_element(transfers_.begin(), transfers_.end(), EarlierDeadline);
    close(idlest->fd);
    transfers_.erase(idlest);
  }
  transfers_.push_back(transfer);
}

void TextTransfers::Watch(std::vector<pollfd>& fds) const {
  for (const Transfer& transfer : transfers_) fds.push_back({transfer.fd, POLLOUT, 0});
}

void TextTransfers::Continue(const std::vector<pollfd>& fds, Clock::time_point now) {
  std::erase_if(transfers_, [&](Transfer& transfer) {
    const auto entry = std::find_if(fds.begin(), fds.end(),
                                    [&](const pollfd& fd) { return fd.fd == transfer.fd; });
    const bool ready = entry != fds.end() && entry->revents != 0;
    const bool going = ready ? Write(transfer, now) : now < transfer.deadline;
    if (!going) close(transfer.fd);
    return !going;
  });
}

int TextTransfers::TimeoutMs(Clock::time_point now) const {
  if (transfers_.empty()) return -1;
  const auto next = std::min_element(transfers_.begin(), transfers_.end(), EarlierDeadline);
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(next->deadline - now).count();
  return static_cast<int>(std::max<decltype(left)>(left, 0));
}

bool TextTransfers::EarlierDeadline(const Transfer& a, const Transfer& b) {
  return a.deadline < b.deadline;
}

bool TextTransfers::Write(Transfer& transfer, Clock::time_point now) {
  while (!transfer.rest.empty()) {
    const ssize_t written = write(transfer.fd, transfer.rest.data(), transfer.rest.size());
    if (written > 0) {
      transfer.rest.remove_prefix(static_cast<std::size_t>(written));
      transfer.deadline = now + kIdleLimit;
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else {
      // A full pipe waits for the reader; any other failure ends the transfer.
      return written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && now < transfer.deadline;
    }
  }
  return false;  // all written: closing the pipe ends the reader's text
}

}  // namespace tagsmit::wayland
