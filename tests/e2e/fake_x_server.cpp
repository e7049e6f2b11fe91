// An X display for the end-to-end tests, on an abstract socket of its own:
//   fake_x_server          accepts connections and never answers, like a
//                          server that has hung;
//   fake_x_server REAL N [BYTES]
//                          relays each connection to the X server of display
//                          number REAL until the Nth connection comes, then
//                          goes away as a server that dies: every connection
//                          closes. The Nth gets the first BYTES bytes of the
//                          server's answers before (none without BYTES).
// Prints its display (":NUMBER") on standard output once it listens, then a
// line "connection" for each connection relayed and "bell" for each Bell
// request a client sends (little-endian clients).
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A socket, bound (`listening`) or connected to display `display`'s abstract
// address; -1 when that fails.
int DisplaySocket(int display, bool listening) {
  const std::string name = "/tmp/.X11-unix/X" + std::to_string(display);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const auto* at = reinterpret_cast<const sockaddr*>(&address);
  if (listening ? bind(fd, at, length) == 0 && listen(fd, 64) == 0 : connect(fd, at, length) == 0) {
    return fd;
  }
  close(fd);
  return -1;
}

// What one client has sent that is not yet a whole setup or request.
struct ClientStream {
  bool set_up = false;
  std::string unread;
};

std::size_t Padded(std::size_t length) {
  return (length + 3) / 4 * 4;
}
std::uint32_t Number(const std::string& bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Takes `got` bytes from a client and prints "bell" for each Bell request.
void Watch(ClientStream& stream, const char* got, std::size_t size) {
  constexpr unsigned kBell = 104;
  std::string& unread = stream.unread;
  unread.append(got, size);
  for (;;) {
    std::size_t whole;
    if (!stream.set_up) {
      if (unread.size() < 12) return;
      whole = 12 + Padded(Number(unread, 6, 2)) + Padded(Number(unread, 8, 2));
    } else {
      if (unread.size() < 4) return;
      whole = Number(unread, 2, 2) * 4u;
      if (whole == 0) {  // BIG-REQUESTS
        if (unread.size() < 8) return;
        whole = Number(unread, 4, 4) * 4u;
      }
    }
    if (unread.size() < whole) return;
    if (stream.set_up && static_cast<unsigned char>(unread[0]) == kBell) {
      std::printf("bell\n");
      std::fflush(stdout);
    }
    stream.set_up = true;
    unread.erase(0, whole);
  }
}

// Copies what `from` has to `to`, at most `most` bytes, shown to `watch` when
// there is one: how many, or 0 once either side has closed.
std::size_t Relay(int from, int to, std::size_t most, ClientStream* watch = nullptr) {
  char buffer[65536];
  const ssize_t got = read(from, buffer, std::min(sizeof buffer, most));
  if (watch && got > 0) Watch(*watch, buffer, static_cast<std::size_t>(got));
  for (ssize_t sent = 0; got > 0 && sent < got;) {
    const ssize_t wrote = write(to, buffer + sent, static_cast<std::size_t>(got - sent));
    if (wrote <= 0) return 0;
    sent += wrote;
  }
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool relays = argc >= 3;
  const int real_display = relays ? std::atoi(argv[1]) : 0;
  const int dying_connection = relays ? std::atoi(argv[2]) : 0;
  std::size_t bytes_left = argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 0;
  int display = 1000;
  int listener;
  while ((listener = DisplaySocket(display, true)) < 0 && display < 2000) ++display;
  if (listener < 0) return 1;
  std::printf(":%d\n", display);
  std::fflush(stdout);

  std::vector<pollfd> fds{{listener, POLLIN, 0}};  // then each client before its server
  std::vector<ClientStream> streams;               // one per client, in the same order
  int dying_client = -1;
  for (int connections = 0;;) {
    if (poll(fds.data(), fds.size(), -1) < 0) return 1;
    if (fds[0].revents & POLLIN) {
      const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0 || !relays) continue;  // kept open, never read
      if (++connections == dying_connection) {
        if (bytes_left == 0) return 0;
        dying_client = client;
      }
      const int server = DisplaySocket(real_display, false);
      if (server < 0) return 1;
      fds.push_back({client, POLLIN, 0});
      fds.push_back({server, POLLIN, 0});
      streams.emplace_back();
      std::printf("connection\n");
      std::fflush(stdout);
    }
    for (std::size_t i = 1; i < fds.size();) {
      const pollfd client = fds[i], server = fds[i + 1];
      const bool dying = client.fd == dying_client;
      const std::size_t answered =
          server.revents ? Relay(server.fd, client.fd, dying ? bytes_left : SIZE_MAX) : 1;
      if (dying && server.revents && (bytes_left -= answered) == 0) return 0;
      ClientStream& stream = streams[(i - 1) / 2];
      if (answered == 0 ||
          (client.revents && Relay(client.fd, server.fd, SIZE_MAX, &stream) == 0)) {
        close(client.fd);
        close(server.fd);
        fds.erase(fds.begin() + static_cast<std::ptrdiff_t>(i),
                  fds.begin() + static_cast<std::ptrdiff_t>(i + 2));
        streams.erase(streams.begin() + static_cast<std::ptrdiff_t>((i - 1) / 2));
      } else {
        i += 2;
      }
    }
  }
}
