// Clipboard readers for the end-to-end tests. `stalled_reader COUNT` asks for
// the CLIPBOARD as UTF8_STRING COUNT times, each from a window of its own, and
// leaves every answer where the owner put it: it prints how many requests
// were granted, then keeps its windows until its standard input ends.
// `stalled_reader slow MS` reads the CLIPBOARD once, in INCR steps, waiting
// MS milliseconds before taking each step, and prints the text; it says
// "reading" on standard error once the first step has come.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/x11/x11_connection.h"

namespace {

using tagsmit::x11::Connection;

constexpr int kPatienceMs = 5000;

template <typename Event>
const Event& As(const xcb_generic_event_t* event) {
  return *reinterpret_cast<const Event*>(event);
}

// Waits for an event of `type`; null after kPatienceMs without any event.
xcb_generic_event_t* WaitFor(Connection& connection, int type) {
  for (;;) {
    xcb_generic_event_t* event = connection.WaitForEvent(kPatienceMs);
    if (!event || (event->response_type & 0x7F) == type) return event;
    std::free(event);
  }
}

// Waits until the property gets a new value; false after kPatienceMs.
bool WaitForNewValue(Connection& connection) {
  for (;;) {
    xcb_generic_event_t* event = WaitFor(connection, XCB_PROPERTY_NOTIFY);
    if (!event) return false;
    const bool new_value = As<xcb_property_notify_event_t>(event).state == XCB_PROPERTY_NEW_VALUE;
    std::free(event);
    if (new_value) return true;
  }
}

// Takes the value of `property` on `window` off it, which asks the owner for
// the next step of an INCR transfer.
xcb_get_property_reply_t* Take(Connection& connection, xcb_window_t window, xcb_atom_t property) {
  xcb_connection_t* c = connection.get();
  return xcb_get_property_reply(
      c, xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4),
      nullptr);
}

int AskAndStall(Connection& connection, int count) {
  const auto [clipboard, utf8_string, property] =
      connection.Atoms({"CLIPBOARD", "UTF8_STRING", "_STALLED_READER"});
  for (int i = 0; i < count; ++i) {
    xcb_convert_selection(connection.get(), connection.CreateHelperWindow(), clipboard, utf8_string,
                          property, XCB_CURRENT_TIME);
  }
  xcb_flush(connection.get());
  int granted = 0;
  for (int answers = 0; answers < count; ++answers) {
    xcb_generic_event_t* event = WaitFor(connection, XCB_SELECTION_NOTIFY);
    if (!event) return 1;
    if (As<xcb_selection_notify_event_t>(event).property != XCB_NONE) ++granted;
    std::free(event);
  }
  std::printf("%d\n", granted);
  std::fflush(stdout);
  char byte;
  while (read(STDIN_FILENO, &byte, 1) > 0) {
  }
  return 0;
}

int ReadSlowly(Connection& connection, std::chrono::milliseconds pause) {
  const auto [clipboard, utf8_string, property, incr] =
      connection.Atoms({"CLIPBOARD", "UTF8_STRING", "_SLOW_READER", "INCR"});
  xcb_connection_t* c = connection.get();
  const xcb_window_t window = connection.CreateHelperWindow();
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &events);
  xcb_convert_selection(c, window, clipboard, utf8_string, property, XCB_CURRENT_TIME);
  xcb_flush(c);
  xcb_generic_event_t* notify = WaitFor(connection, XCB_SELECTION_NOTIFY);
  if (!notify || As<xcb_selection_notify_event_t>(notify).property == XCB_NONE) return 1;
  std::free(notify);
  xcb_get_property_reply_t* announced = Take(connection, window, property);
  const bool stepwise = announced && announced->type == incr;
  std::free(announced);
  if (!stepwise) return 1;
  std::string text;
  for (bool first = true;; first = false) {
    if (!WaitForNewValue(connection)) return 1;
    if (first) std::fputs("reading\n", stderr);
    std::this_thread::sleep_for(pause);
    xcb_get_property_reply_t* step = Take(connection, window, property);
    if (!step) return 1;
    const int length = xcb_get_property_value_length(step);
    text.append(static_cast<const char*>(xcb_get_property_value(step)),
                static_cast<std::size_t>(length));
    std::free(step);
    xcb_flush(c);
    if (length == 0) break;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  auto opened = Connection::Open();
  if (!opened.ok()) return 1;
  if (argc > 2 && std::strcmp(argv[1], "slow") == 0) {
    return ReadSlowly(*opened.value(), std::chrono::milliseconds(std::atoi(argv[2])));
  }
  return AskAndStall(*opened.value(), argc > 1 ? std::atoi(argv[1]) : 1);
}
