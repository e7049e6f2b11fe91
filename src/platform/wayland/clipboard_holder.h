#pragma once

#include <string>

#include "base/result.h"
#include "platform/wayland/wayland_connection.h"

namespace tagsmit::wayland {

// Puts `text` on the clipboard through data-control: sets the selection on
// `connection` and waits until the compositor has it, then forks a holder
// process that keeps the connection and serves the text after this process
// has ended, until another client takes the clipboard or the compositor goes
// away. Returns once the selection is set and the holder has detached (or a
// newer selection has replaced it already, which needs no holder), or names
// why not. Either way the connection is spent: close it, and open a
// new one for anything else. Only when connection.OffersDataControl(). Call
// from a single-threaded process.
Status StartClipboardHolder(Connection& connection, const std::string& text);

}  // namespace tagsmit::wayland
