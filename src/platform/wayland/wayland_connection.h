#pragma once

#include <poll.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "base/result.h"
#include "platform/wayland/data_control.h"

struct wl_display;
struct wl_registry;
struct wl_seat;

namespace tagsmit::wayland {

// One connection to the Wayland compositor named by WAYLAND_DISPLAY, with
// the globals Tagsmit may use: the first seat, a data-control manager and the
// system bell. Closing it sends nothing, so a forked clipboard holder may
// keep using the same socket after this process has closed its copy.
class Connection {
 public:
  // Connects and lists the globals (one round trip), or names why not.
  static Result<std::unique_ptr<Connection>> Open();

  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  wl_display* display() const { return display_; }
  // Sends the requests made so far and waits up to `timeout_ms` (-1: without
  // limit) for events, or for one of `fds` (whose revents it fills), then
  // dispatches the events that came. False once the connection is broken.
  bool WaitAndDispatch(std::vector<pollfd>& fds, int timeout_ms);
  // Waits until the compositor has handled every request sent so far, and
  // has dispatched the events that came meanwhile; names a broken
  // connection, a protocol error or a compositor that does not answer.
  Status RoundTrip();

  bool OffersDataControl() const { return data_control_.has_value() && seat_.has_value(); }
  // The first seat's clipboard through ext-data-control where offered, else
  // wlr-data-control. Only when OffersDataControl().
  std::unique_ptr<DataControl> BindDataControl();

  bool OffersSystemBell() const { return bell_.has_value(); }
  // Rings the desktop's bell (xdg_system_bell_v1) once the compositor has the
  // request. Only when OffersSystemBell().
  Status RingSystemBell();

 private:
  struct Global {
    std::uint32_t name;
    std::uint32_t version;
  };

  explicit Connection(wl_display* display);

  static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);
  static void OnGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

  wl_display* display_;
  wl_registry* registry_;
  std::optional<Global> seat_;
  std::optional<DataControl::Global> data_control_;
  std::optional<Global> bell_;
  wl_seat* bound_seat_ = nullptr;
};

}  // namespace tagsmit::wayland
