#include "platform/x11/timed_connect.h"

#include <X11/X.h>
#include <X11/Xauth.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace tagsmit::x11 {
namespace {

using Clock = std::chrono::steady_clock;

// A descriptor owned here, closed unless given away.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(other.Release()) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Why a step failed: the server was not there, or did not answer in time.
enum class Failure { kNone, kRefused, kLate };

// Waits until `fd` is ready for `events`; false once the deadline has passed.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd watched{fd, events, 0};
    const int ready = poll(&watched, 1, static_cast<int>(left.count()));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return true;  // the next call names the fault
  }
}

// A non-blocking socket connected to `address`, or why not.
Failure Connect(int family, const sockaddr* address, socklen_t length, Clock::time_point deadline,
                Descriptor& socket_fd) {
  Descriptor fd(socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (fd.get() < 0) return Failure::kRefused;
  while (connect(fd.get(), address, length) != 0) {
    if (errno == EINPROGRESS || errno == EINTR) {  // TCP: the answer comes later
      if (!WaitFor(fd.get(), POLLOUT, deadline)) return Failure::kLate;
      int error = 0;
      socklen_t size = sizeof error;
      if (getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
        return Failure::kRefused;
      }
      break;
    }
    // A local server whose queue of new connections is full: try again.
    if (errno != EAGAIN) return Failure::kRefused;
    if (Clock::now() >= deadline) return Failure::kLate;
    poll(nullptr, 0, 10);
  }
  socket_fd = std::move(fd);
  return Failure::kNone;
}

Failure ConnectUnix(const std::string& path, bool abstract, Clock::time_point deadline,
                    Descriptor& fd) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;  // abstract names begin with a zero byte
  if (path.size() + offset >= sizeof address.sun_path) return Failure::kRefused;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                             path.size() + (abstract ? 0 : 1));
  return Connect(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length, deadline, fd);
}

// The address that the authority file names the server by, as libxcb looks
// it up: the host name for a local server, the IP address otherwise.
struct AuthorityAddress {
  std::uint16_t family = FamilyLocal;
  std::string address;
};

AuthorityAddress LocalAuthorityAddress() {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  return {FamilyLocal, host};
}

Failure ConnectTcp(const std::string& host, int display, Clock::time_point deadline, Descriptor& fd,
                   AuthorityAddress& authority) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(6000 + display).c_str(), &hints, &found) != 0) {
    return Failure::kRefused;
  }
  Failure failure = Failure::kRefused;
  for (const addrinfo* at = found; at && failure == Failure::kRefused; at = at->ai_next) {
    failure = Connect(at->ai_family, at->ai_addr, at->ai_addrlen, deadline, fd);
    if (failure != Failure::kNone) continue;
    const int on = 1;
    setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (at->ai_family == AF_INET) {
      const auto& ip = reinterpret_cast<const sockaddr_in*>(at->ai_addr)->sin_addr;
      authority = ip.s_addr == htonl(INADDR_LOOPBACK)
                      ? LocalAuthorityAddress()
                      : AuthorityAddress{FamilyInternet,
                                         std::string(reinterpret_cast<const char*>(&ip), 4)};
    } else {
      const auto& ip = reinterpret_cast<const sockaddr_in6*>(at->ai_addr)->sin6_addr;
      authority = IN6_IS_ADDR_LOOPBACK(&ip)
                      ? LocalAuthorityAddress()
                      : AuthorityAddress{FamilyInternet6,
                                         std::string(reinterpret_cast<const char*>(&ip), 16)};
    }
  }
  freeaddrinfo(found);
  return failure;
}

// The MIT-MAGIC-COOKIE-1 of the authority file for this display, found as
// libxcb finds it; null where the file holds none (none is sent then).
Xauth* Cookie(const AuthorityAddress& authority, int display) {
  const std::string number = std::to_string(display);
  char cookie_name[] = "MIT-MAGIC-COOKIE-1";
  char* names[] = {cookie_name};
  const int name_lengths[] = {static_cast<int>(sizeof cookie_name - 1)};
  return XauGetBestAuthByAddr(authority.family,
                              static_cast<unsigned short>(authority.address.size()),
                              authority.address.data(), static_cast<unsigned short>(number.size()),
                              number.data(), 1, names, name_lengths);
}

// The socket that the alarm shuts down, and whether it has.
volatile sig_atomic_t alarmed_fd = -1;
volatile sig_atomic_t alarm_rang = 0;

void OnAlarm(int) {
  if (alarmed_fd >= 0) shutdown(alarmed_fd, SHUT_RDWR);
  alarm_rang = 1;
}

// While it lives, the socket `fd` is shut down at `deadline`, so that a wait
// for it ends there: xcb waits for the server's answer to the connection
// setup without a limit of its own, and sees the connection closed instead.
class ShutdownAlarm {
 public:
  ShutdownAlarm(int fd, Clock::time_point deadline) {
    alarmed_fd = fd;
    alarm_rang = 0;
    struct sigaction action {};
    action.sa_handler = OnAlarm;
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, &previous_action_);
    // A mask inherited from the caller must not hold the alarm back.
    sigset_t alarm_only;
    sigemptyset(&alarm_only);
    sigaddset(&alarm_only, SIGALRM);
    sigprocmask(SIG_UNBLOCK, &alarm_only, &previous_mask_);
    const auto left =
        std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
    const long us = std::max<long>(left.count(), 1);
    itimerval timer{};
    timer.it_value.tv_sec = us / 1000000;
    timer.it_value.tv_usec = us % 1000000;
    setitimer(ITIMER_REAL, &timer, nullptr);
  }
  ShutdownAlarm(const ShutdownAlarm&) = delete;
  ShutdownAlarm& operator=(const ShutdownAlarm&) = delete;

  // Stops the alarm; whether it rang.
  bool Stop() {
    const itimerval stopped{};  // the program sets no other alarm
    setitimer(ITIMER_REAL, &stopped, nullptr);
    sigprocmask(SIG_SETMASK, &previous_mask_, nullptr);
    sigaction(SIGALRM, &previous_action_, nullptr);
    alarmed_fd = -1;
    return alarm_rang != 0;
  }

 private:
  struct sigaction previous_action_;
  sigset_t previous_mask_;
};

}  // namespace

Result<OpenedDisplay> ConnectInTime(const std::string& display, std::chrono::milliseconds limit) {
  const std::string unreachable = "cannot connect to the X display \"" + display + "\"";
  const std::string silent = "the X display \"" + display + "\" does not answer";
  char* host_text = nullptr;
  int number = 0;
  int screen = 0;
  if (!xcb_parse_display(display.c_str(), &host_text, &number, &screen)) {
    return Result<OpenedDisplay>::Failure(unreachable);
  }
  const std::string host = host_text;
  std::free(host_text);

  const Clock::time_point deadline = Clock::now() + limit;
  Descriptor server;
  AuthorityAddress authority = LocalAuthorityAddress();
  Failure failure;
  if (host.empty() || host == "unix") {
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    failure = ConnectUnix(path, true, deadline, server);
    if (failure == Failure::kRefused) failure = ConnectUnix(path, false, deadline, server);
  } else if (host.front() == '/') {
    failure = ConnectUnix(host, false, deadline, server);
  } else {
    failure = ConnectTcp(host, number, deadline, server, authority);
  }
  if (failure == Failure::kLate) return Result<OpenedDisplay>::Failure(silent);
  if (failure == Failure::kRefused) return Result<OpenedDisplay>::Failure(unreachable);

  Xauth* cookie = Cookie(authority, number);
  xcb_auth_info_t auth{};
  if (cookie) {
    auth = {cookie->name_length, cookie->name, cookie->data_length, cookie->data};
  }
  ShutdownAlarm alarm(server.get(), deadline);
  xcb_connection_t* connection = xcb_connect_to_fd(server.Release(), cookie ? &auth : nullptr);
  const bool late = alarm.Stop();
  if (cookie) XauDisposeAuth(cookie);
  if (late || xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return Result<OpenedDisplay>::Failure(late ? silent : unreachable);
  }
  return OpenedDisplay{connection, screen};
}

}  // namespace tagsmit::x11
