// A clipboard reader that asks and never reads, for the end-to-end tests:
// `stalled_reader COUNT` asks for the CLIPBOARD as UTF8_STRING COUNT times,
// each from a window of its own, and leaves every answer where the owner put
// it. It prints how many answers announced an INCR transfer, then keeps its
// windows until its standard input ends.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/x11/x11_connection.h"

using tagsmit::x11::Connection;

namespace {

// Whether the answer on `window` announces an INCR transfer; leaves it there.
bool AnnouncesIncr(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t incr) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1), nullptr);
  const bool announces = reply && reply->type == incr;
  std::free(reply);
  return announces;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1;
  auto opened = Connection::Open();
  if (!opened.ok()) {
    std::fprintf(stderr, "stalled_reader: %s\n", opened.error().c_str());
    return 1;
  }
  Connection& connection = *opened.value();
  xcb_connection_t* c = connection.get();
  const auto [clipboard, utf8_string, incr, property] =
      connection.Atoms({"CLIPBOARD", "UTF8_STRING", "INCR", "_STALLED_READER"});
  for (int i = 0; i < count; ++i) {
    xcb_convert_selection(c, connection.CreateHelperWindow(), clipboard, utf8_string, property,
                          XCB_CURRENT_TIME);
  }
  xcb_flush(c);
  int incr_answers = 0;
  for (int answers = 0; answers < count;) {
    xcb_generic_event_t* event = connection.WaitForEvent(5000);
    if (!event) {
      std::fprintf(stderr, "stalled_reader: %d of %d requests answered\n", answers, count);
      return 1;
    }
    if ((event->response_type & 0x7F) == XCB_SELECTION_NOTIFY) {
      ++answers;
      const auto& notify = *reinterpret_cast<xcb_selection_notify_event_t*>(event);
      if (AnnouncesIncr(c, notify.requestor, property, incr)) ++incr_answers;
    }
    std::free(event);
  }
  std::printf("%d\n", incr_answers);
  std::fflush(stdout);
  char byte;
  while (read(STDIN_FILENO, &byte, 1) > 0) {
  }
  return 0;
}
