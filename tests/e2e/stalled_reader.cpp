// A clipboard reader that asks and never reads, for the end-to-end tests:
// `stalled_reader COUNT` asks for the CLIPBOARD as UTF8_STRING COUNT times,
// each from a window of its own, and leaves every answer where the owner put
// it. It prints how many requests were granted, then keeps its windows until
// its standard input ends.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/x11/x11_connection.h"

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1;
  auto opened = tagsmit::x11::Connection::Open();
  if (!opened.ok()) return 1;
  tagsmit::x11::Connection& connection = *opened.value();
  const auto [clipboard, utf8_string, property] =
      connection.Atoms({"CLIPBOARD", "UTF8_STRING", "_STALLED_READER"});
  for (int i = 0; i < count; ++i) {
    xcb_convert_selection(connection.get(), connection.CreateHelperWindow(), clipboard, utf8_string,
                          property, XCB_CURRENT_TIME);
  }
  xcb_flush(connection.get());
  int granted = 0;
  for (int answers = 0; answers < count;) {
    xcb_generic_event_t* event = connection.WaitForEvent(5000);
    if (!event) return 1;
    if ((event->response_type & 0x7F) == XCB_SELECTION_NOTIFY) {
      ++answers;
      if (reinterpret_cast<xcb_selection_notify_event_t*>(event)->property != XCB_NONE) ++granted;
    }
    std::free(event);
  }
  std::printf("%d\n", granted);
  std::fflush(stdout);
  char byte;
  while (read(STDIN_FILENO, &byte, 1) > 0) {
  }
  return 0;
}
