#pragma once

#include <csignal>
#include <memory>
#include <string>

#include "platform/x11/x11_connection.h"

namespace tagsmit {

// Qt gives up on the whole process when its X display goes away under it: it
// aborts (qFatal) when it cannot connect, and may crash on the answers it no
// longer gets while it starts. While a guard lives, such an end becomes exit
// status 1 with `message` on standard error. On SIGSEGV, SIGBUS or SIGABRT it
// looks whether the server has closed the guard's own connection; if it has
// not, the signal takes its course as before. One guard at a time.
class DisplayLossGuard {
 public:
  // `display` is a connection of the guard's own, which nothing else uses.
  DisplayLossGuard(std::shared_ptr<x11::Connection> display, std::string message);
  ~DisplayLossGuard();
  DisplayLossGuard(const DisplayLossGuard&) = delete;
  DisplayLossGuard& operator=(const DisplayLossGuard&) = delete;

 private:
  std::shared_ptr<x11::Connection> display_;
  std::string message_;
};

}  // namespace tagsmit
