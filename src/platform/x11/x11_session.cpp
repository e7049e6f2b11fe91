#include "platform/x11/x11_session.h"

#include <cstdlib>

#include "platform/x11/clipboard_reader.h"

namespace tagsmit::x11 {

Result<Connection*> Session::Get() {
  if (failure_) return Result<Connection*>::Failure(*failure_);
  if (!connection_) {
    // The holder serves from now on: reading the clipboard, for one, waits
    // for it.
    holder_.reset();
    Result<std::shared_ptr<Connection>> opened = Connection::Open();
    if (!opened.ok()) {
      failure_ = opened.error();
      return Result<Connection*>::Failure(*failure_);
    }
    connection_ = std::move(opened).value();
  }
  return connection_.get();
}

Status Session::Connect() {
  const Result<Connection*> connection = Get();
  return connection.ok() ? Status::Ok() : Status::Failure(connection.error());
}

bool Session::ShiftHeld() {
  const Result<Connection*> connection = Get();
  if (!connection.ok()) return false;
  xcb_connection_t* c = connection.value()->get();
  xcb_query_pointer_reply_t* pointer =
      xcb_query_pointer_reply(c, xcb_query_pointer(c, connection.value()->root()), nullptr);
  const bool held = pointer && (pointer->mask & XCB_MOD_MASK_SHIFT);
  std::free(pointer);
  return held;
}

bool Session::RingBell() {
  if (holder_ && holder_->RingBell()) {
    holder_.reset();
    return true;
  }
  const Result<Connection*> connection = Get();
  if (!connection.ok()) return false;
  xcb_connection_t* c = connection.value()->get();
  xcb_bell(c, 0);
  // Once sent, the server carries it out even if we exit at once.
  xcb_flush(c);
  return true;
}

Status Session::SetClipboardText(const std::string& text) {
  const Result<Connection*> connection = Get();
  if (!connection.ok()) return Status::Failure(connection.error());
  Result<StartedHolder> started = StartClipboardHolder(*connection.value(), text);
  if (!started.ok()) return Status::Failure(started.error());
  // The holder has the connection now; connect afresh if needed again.
  connection_.reset();
  holder_.emplace(std::move(started).value());
  return Status::Ok();
}

Result<std::string> Session::ClipboardText() {
  const Result<Connection*> connection = Get();
  if (!connection.ok()) return Result<std::string>::Failure(connection.error());
  return ReadClipboard(*connection.value());
}

}  // namespace tagsmit::x11
