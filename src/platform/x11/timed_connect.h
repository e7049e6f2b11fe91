#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <string>

#include "base/result.h"

namespace tagsmit::x11 {

struct OpenedDisplay {
  xcb_connection_t* connection;
  int screen_number;  // of the display name
};

// Connects to the X display `display` (a DISPLAY value) within `limit`: the
// socket and the server's answer to the connection setup are waited for with
// that deadline, on this thread. xcb_connect would wait without end for a
// server that accepts and never answers. The connection returned has no
// error; the caller disconnects it.
Result<OpenedDisplay> ConnectInTime(const std::string& display, std::chrono::milliseconds limit);

}  // namespace tagsmit::x11
