#include "platform/wayland/wayland_connection.h"

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"
#include "xdg-system-bell-v1-client-protocol.h"

namespace tagsmit::wayland {
namespace {

// How long a request may wait for the compositor's answer.
constexpr std::chrono::seconds kAnswerTimeout(5);

}  // namespace

Result<std::unique_ptr<Connection>> Connection::Open() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (!name || !*name) {
    return Result<std::unique_ptr<Connection>>::Failure(
        "no Wayland display: the WAYLAND_DISPLAY environment variable is not set");
  }
  // Failures come back as values and are reported once; libwayland would
  // also write its own lines about them to standard error.
  wl_log_set_handler_client([](const char*, va_list) {});
  wl_display* display = wl_display_connect(name);
  if (!display) {
    return Result<std::unique_ptr<Connection>>::Failure(
        std::string("cannot connect to the Wayland display \"") + name +
        "\": " + std::strerror(errno));
  }
  std::unique_ptr<Connection> connection(new Connection(display));
  if (Status listed = connection->RoundTrip(); !listed.ok()) {
    return Result<std::unique_ptr<Connection>>::Failure(listed.error());
  }
  return connection;
}

Connection::Connection(wl_display* display)
    : display_(display), registry_(wl_display_get_registry(display)) {
  static constexpr wl_registry_listener kListener = {&OnGlobal, &OnGlobalRemove};
  wl_registry_add_listener(registry_, &kListener, this);
}

Connection::~Connection() {
  if (bound_seat_) wl_proxy_destroy(reinterpret_cast<wl_proxy*>(bound_seat_));
  wl_proxy_destroy(reinterpret_cast<wl_proxy*>(registry_));
  wl_display_disconnect(display_);
}

void Connection::OnGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
                          std::uint32_t version) {
  Connection& self = *static_cast<Connection*>(data);
  const std::string_view named(interface);
  if (named == wl_seat_interface.name) {
    if (!self.seat_) self.seat_ = Global{name, version};
  } else if (named == ext_data_control_manager_v1_interface.name) {
    self.data_control_ = DataControl::Global{DataControl::Protocol::kExt, name, version};
  } else if (named == zwlr_data_control_manager_v1_interface.name) {
    if (!self.data_control_) {
      self.data_control_ = DataControl::Global{DataControl::Protocol::kWlr, name, version};
    }
  } else if (named == xdg_system_bell_v1_interface.name) {
    self.bell_ = Global{name, version};
  }
}

void Connection::OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

bool Connection::WaitAndDispatch(std::vector<pollfd>& fds, int timeout_ms) {
  // Events read already come first: they may be what the caller waits for.
  if (wl_display_prepare_read(display_) != 0) return wl_display_dispatch_pending(display_) >= 0;
  wl_display_flush(display_);
  fds.push_back({wl_display_get_fd(display_), POLLIN, 0});
  const int ready = poll(fds.data(), fds.size(), timeout_ms);
  const bool readable = ready > 0 && fds.back().revents != 0;
  fds.pop_back();
  if (!readable) {
    wl_display_cancel_read(display_);
  } else if (wl_display_read_events(display_) != 0) {
    return false;
  }
  return wl_display_dispatch_pending(display_) >= 0;
}

Status Connection::RoundTrip() {
  static constexpr wl_callback_listener kDone = {
      [](void* done, wl_callback*, std::uint32_t) { *static_cast<bool*>(done) = true; }};
  bool done = false;
  wl_callback* callback = wl_display_sync(display_);
  wl_callback_add_listener(callback, &kDone, &done);
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + kAnswerTimeout;
  std::vector<pollfd> nothing_else;
  bool connected = true;
  while (!done && connected && Clock::now() < deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    connected = WaitAndDispatch(nothing_else, static_cast<int>(left.count()));
  }
  wl_callback_destroy(callback);
  if (done) return Status::Ok();
  if (connected) return Status::Failure("the Wayland compositor does not answer");
  const int error = wl_display_get_error(display_);
  if (error == EPROTO) {
    const wl_interface* interface = nullptr;
    std::uint32_t id = 0;
    const std::uint32_t code = wl_display_get_protocol_error(display_, &interface, &id);
    return Status::Failure("the Wayland compositor reported protocol error " +
                           std::to_string(code) + " of " + (interface ? interface->name : "?"));
  }
  return Status::Failure(std::string("the connection to the Wayland compositor broke: ") +
                         std::strerror(error));
}

std::unique_ptr<DataControl> Connection::BindDataControl() {
  if (!bound_seat_) {
    bound_seat_ =
        static_cast<wl_seat*>(wl_registry_bind(registry_, seat_->name, &wl_seat_interface, 1));
  }
  return wayland::BindDataControl(registry_, *data_control_, bound_seat_);
}

Status Connection::RingSystemBell() {
  auto* bell = static_cast<xdg_system_bell_v1*>(
      wl_registry_bind(registry_, bell_->name, &xdg_system_bell_v1_interface, 1));
  xdg_system_bell_v1_ring(bell, nullptr);
  wl_proxy_destroy(reinterpret_cast<wl_proxy*>(bell));
  // A client that hangs up at once may be dropped before its requests are read.
  return RoundTrip();
}

}  // namespace tagsmit::wayland
