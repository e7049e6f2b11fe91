#pragma once

#include <csignal>
#include <memory>
#include <string>

#include "platform/x11/x11_connection.h"

namespace tagsmit {

// Qt gives up on the whole process when its X display goes away under it: it
// aborts (qFatal) when it cannot connect, and may crash on the answers it no
// longer gets while it starts, or Xlib ends it with exit status 1. While a
// guard lives, such an end becomes exit status 1 with `message` on standard
// error. On SIGSEGV, SIGBUS or SIGABRT, or an exit while it lives, it looks
// whether the server has closed the guard's own connection; if it has not,
// the signal or the exit takes its course as before. One guard at a time.
class DisplayLossGuard {
 public:
  // `display` is a connection of the guard's own, which nothing else uses.
  DisplayLossGuard(std::shared_ptr<x11::Connection> display, std::string message);
  ~DisplayLossGuard();
  DisplayLossGuard(const DisplayLossGuard&) = delete;
  DisplayLossGuard& operator=(const DisplayLossGuard&) = delete;

  // The text of the box being shown (none: empty), written after the
  // message, so that what the box was to tell is not lost with the display.
  void Showing(const std::string& box_text);

 private:
  std::shared_ptr<x11::Connection> display_;
  std::string message_;
  std::string said_;  // the message and the box's text, as written
};

}  // namespace tagsmit
