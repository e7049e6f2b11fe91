#include "platform/x11/x11_connection.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/x11/timed_connect.h"

namespace tagsmit::x11 {
namespace {

// How long a display may take to answer a new connection.
constexpr auto kConnectTimeout = std::chrono::seconds(5);

std::string DisplayName() {
  const char* display = std::getenv("DISPLAY");
  return display ? display : "";
}

}  // namespace

Result<std::shared_ptr<Connection>> Connection::Open() {
  const std::string display = DisplayName();
  if (display.empty()) {
    return Result<std::shared_ptr<Connection>>::Failure(
        "no X display: the DISPLAY environment variable is not set");
  }
  const Result<OpenedDisplay> opened = ConnectInTime(display, kConnectTimeout);
  if (!opened.ok()) return Result<std::shared_ptr<Connection>>::Failure(opened.error());
  const auto [connection, screen_number] = opened.value();
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) {
    xcb_disconnect(connection);
    return Result<std::shared_ptr<Connection>>::Failure("the X display \"" + display +
                                                        "\" has no such screen");
  }
  return std::shared_ptr<Connection>(new Connection(connection, screens.data->root));
}

Connection::~Connection() {
  if (connection_) xcb_disconnect(connection_);
}

void Connection::HandOver() {
  // xcb_disconnect shuts the socket down for every process that holds it;
  // give it a stand-in descriptor to shut and close instead.
  const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null >= 0) {
    dup2(null, xcb_get_file_descriptor(connection_));
    close(null);
    xcb_disconnect(connection_);
  }
  connection_ = nullptr;
}

void Connection::AskAtoms(const char* const* names, std::size_t count,
                          xcb_intern_atom_cookie_t* cookies) {
  for (std::size_t i = 0; i < count; ++i) {
    cookies[i] = xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(names[i])),
                                 names[i]);
  }
}

void Connection::ReceiveAtoms(const xcb_intern_atom_cookie_t* cookies, std::size_t count,
                              xcb_atom_t* atoms) {
  for (std::size_t i = 0; i < count; ++i) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookies[i], nullptr);
    atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
  }
}

xcb_window_t Connection::CreateHelperWindow() {
  const xcb_window_t window = xcb_generate_id(connection_);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  return window;
}

void Connection::AskServerTime(xcb_window_t window) {
  // Appending nothing to a property the server names itself changes nothing
  // on a helper window and costs no round trip to intern a name of our own.
  xcb_change_property(connection_, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                      8, 0, nullptr);
}

Result<xcb_timestamp_t> Connection::AwaitServerTime(xcb_window_t window) {
  xcb_flush(connection_);
  for (;;) {
    xcb_generic_event_t* event = WaitForEvent(5000);
    if (!event) return Result<xcb_timestamp_t>::Failure("the X server does not answer");
    const bool ours = (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
                      reinterpret_cast<xcb_property_notify_event_t*>(event)->window == window;
    const xcb_timestamp_t time = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
    std::free(event);
    if (ours) return time;
  }
}

xcb_generic_event_t* Connection::WaitForEvent(int timeout_ms) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) return event;
    if (xcb_connection_has_error(connection_)) return nullptr;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return nullptr;
    pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left));
  }
}

}  // namespace tagsmit::x11
