#pragma once

#include <string>

#include "base/result.h"
#include "platform/posix/holder_process.h"
#include "platform/x11/x11_connection.h"

namespace tagsmit::x11 {

// A holder process just started, that waits for a word from us before it
// serves the selection it owns. Dropping this lets it begin.
class StartedHolder {
 public:
  explicit StartedHolder(HolderLine line) : line_(std::move(line)) {}
  // Has the holder ring the X bell on the connection it took over, then
  // begin: the bell needs no connection of ours. False when the holder is
  // gone.
  bool RingBell();

 private:
  HolderLine line_;
};

// Puts `text` on the CLIPBOARD: takes the selection on `connection`, then
// forks a holder process that keeps the connection and answers for the
// selection after this process has ended, until another client takes it.
// Returns once the selection is ours and the holder has detached (left our
// session, closed our descriptors), or names why not. On success the
// connection has been handed over to the holder (Connection::HandOver): use
// a new one for anything else, after dropping the StartedHolder, since a
// reader of the clipboard waits for a holder that has not begun. Call from a
// single-threaded process.
Result<StartedHolder> StartClipboardHolder(Connection& connection, const std::string& text);

}  // namespace tagsmit::x11
