#pragma once

#include <poll.h>

#include <chrono>
#include <string_view>
#include <vector>

#include "platform/posix/reader_rules.h"

namespace tagsmit::wayland {

// The writes of the clipboard text into the pipes of the readers that asked
// for it, side by side and never blocking: a reader that does not read holds
// up no other, and readers are given up by the rules every holder keeps
// (posix/reader_rules.h). What a pipe takes at once when a reader asks is no
// sign that the reader reads; what it takes later is. Writing into
// a pipe whose reader has gone is a failed write, not the end of the process:
// SIGPIPE is ignored from the first transfer on.
class TextTransfers {
 public:
  using Clock = std::chrono::steady_clock;

  TextTransfers() = default;
  TextTransfers(const TextTransfers&) = delete;
  TextTransfers& operator=(const TextTransfers&) = delete;
  ~TextTransfers();  // gives up what is left

  // Takes over `fd` and writes `data` into it, as much as goes at once; the
  // rest when Continue finds the pipe ready. `data` must outlive the transfer.
  void Start(int fd, std::string_view data, Clock::time_point now);
  // Appends one entry per transfer, in order, for poll() to watch.
  void Watch(std::vector<pollfd>& fds) const;
  // Goes on with the transfers after poll() has filled the entries that
  // Watch appended to `fds`; ends those done, failed or out of time. A
  // transfer started since is not among them, and only waits.
  void Continue(const std::vector<pollfd>& fds, Clock::time_point now);
  // Milliseconds until the next reader runs out of time; -1 without readers.
  int TimeoutMs(Clock::time_point now) const;

  bool empty() const { return transfers_.empty(); }

 private:
  struct Transfer {
    int fd;
    std::string_view rest;  // what is not written yet
    ReaderProgress progress;
  };

  // Writes what the pipe takes; false once the transfer is over (all
  // written, or the pipe failed).
  static bool Write(Transfer& transfer);

  std::vector<Transfer> transfers_;
};

}  // namespace tagsmit::wayland
