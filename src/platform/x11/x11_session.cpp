#include "platform/x11/x11_session.h"

#include <cstdlib>

#include "platform/x11/clipboard_holder.h"
#include "platform/x11/clipboard_reader.h"

namespace tagsmit::x11 {

Result<Connection*> Session::Get() {
  if (failure_) return Result<Connection*>::Failure(*failure_);
  if (!connection_) {
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
  Status put = StartClipboardHolder(*connection.value(), text);
  // The holder has the connection now; connect afresh if needed again.
  if (put.ok()) connection_.reset();
  return put;
}

Result<std::string> Session::ClipboardText() {
  const Result<Connection*> connection = Get();
  if (!connection.ok()) return Result<std::string>::Failure(connection.error());
  return ReadClipboard(*connection.value());
}

}  // namespace tagsmit::x11
