#include "platform/linux/display_loss_guard.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace tagsmit {
namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGABRT};
// How long a crash waits for the server's close to reach the guard's
// connection, which may come a moment after Qt's.
constexpr int kCloseWaitMs = 200;

// What the handler needs, set while a guard lives.
int watched_fd = -1;
const char* message_text = nullptr;
std::size_t message_length = 0;
struct sigaction previous[std::size(kSignals)];

// Whether the server has closed the watched connection. Anything it sent
// before (a MappingNotify goes to every client) is read past.
bool DisplayGone() {
  pollfd watched{watched_fd, POLLIN, 0};
  if (poll(&watched, 1, kCloseWaitMs) <= 0) return false;
  char buffer[256];
  ssize_t got;
  while ((got = recv(watched_fd, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
  }
  return got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
}

void Tell() {
  if (write(STDERR_FILENO, message_text, message_length) < 0) {
    // Nothing more to say: the exit status tells it.
  }
}

void OnFatalSignal(int signal) {
  if (DisplayGone()) {
    Tell();
    _exit(1);
  }
  // Not the display: the previous handling comes back, and meets the signal
  // again as the faulting instruction runs again or abort raises it again.
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (kSignals[i] == signal) sigaction(signal, &previous[i], nullptr);
  }
}

// Xlib ends the process itself (exit status 1) on a connection that broke.
// A guard that still lives then has not been left the normal way.
void OnExit() {
  if (watched_fd >= 0 && DisplayGone()) Tell();
}

}  // namespace

DisplayLossGuard::DisplayLossGuard(std::shared_ptr<x11::Connection> display, std::string message)
    : display_(std::move(display)), message_(std::move(message) + '\n') {
  watched_fd = xcb_get_file_descriptor(display_->get());
  Showing({});
  [[maybe_unused]] static const int exit_watched = std::atexit(OnExit);
  struct sigaction action {};
  action.sa_handler = OnFatalSignal;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &action, &previous[i]);
  }
}

void DisplayLossGuard::Showing(const std::string& box_text) {
  said_ = box_text.empty() ? message_ : message_ + box_text + '\n';
  // Set here and read by the handler on this thread: no signal comes between.
  message_text = said_.c_str();
  message_length = said_.size();
}

DisplayLossGuard::~DisplayLossGuard() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &previous[i], nullptr);
  }
  watched_fd = -1;
}

}  // namespace tagsmit
