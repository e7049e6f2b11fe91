#pragma once

#include <string>

#include "base/result.h"
#include "platform/wayland/wayland_connection.h"

namespace tagsmit::wayland {

// Asks the owner of the clipboard for its text through data-control, as
// wl-paste does, and returns what it writes. Only when
// connection.OffersDataControl().
Result<std::string> ReadClipboard(Connection& connection);

}  // namespace tagsmit::wayland
