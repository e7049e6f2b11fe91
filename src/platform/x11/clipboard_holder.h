#pragma once

#include <string>

#include "base/result.h"
#include "platform/x11/x11_connection.h"

namespace tagsmit::x11 {

// Puts `text` on the CLIPBOARD: takes the selection on `connection`, then
// forks a holder process that keeps the connection and answers for the
// selection after this process has ended, until another client takes it.
// Returns once the selection is ours and the holder has detached (left our
// session, closed our descriptors), or names why not. On success the
// connection has been handed over to the holder (Connection::HandOver): use
// a new one for anything else. Call from a single-threaded process.
Status StartClipboardHolder(Connection& connection, const std::string& text);

}  // namespace tagsmit::x11
