#include "platform/x11/x11_session.h"

#include <cstdlib>

#include "platform/x11/clipboard_holder.h"
#include "platform/x11/clipboard_reader.h"

namespace tagsmit::x11 {

Connection* Session::Get() {
  if (!tried_) {
    tried_ = true;
    Result<std::shared_ptr<Connection>> opened = Connection::Open();
    if (opened.ok()) {
      connection_ = std::move(opened).value();
    } else {
      error_ = opened.error();
    }
  }
  return connection_.get();
}

bool Session::Connected() {
  return Get() != nullptr;
}

bool Session::ShiftHeld() {
  Connection* connection = Get();
  if (!connection) return false;
  xcb_connection_t* c = connection->get();
  xcb_query_pointer_reply_t* pointer =
      xcb_query_pointer_reply(c, xcb_query_pointer(c, connection->root()), nullptr);
  const bool held = pointer && (pointer->mask & XCB_MOD_MASK_SHIFT);
  std::free(pointer);
  return held;
}

bool Session::RingBell() {
  Connection* connection = Get();
  if (!connection) return false;
  xcb_connection_t* c = connection->get();
  xcb_bell(c, 0);
  // Once sent, the server carries it out even if we exit at once.
  xcb_flush(c);
  return true;
}

Status Session::SetClipboardText(const std::string& text) {
  Connection* connection = Get();
  if (!connection) return Status::Failure(error_);
  Status put = StartClipboardHolder(*connection, text);
  if (put.ok()) {
    // The holder has the connection now; connect afresh if needed again.
    connection_.reset();
    tried_ = false;
  }
  return put;
}

Result<std::string> Session::ClipboardText() {
  Connection* connection = Get();
  if (!connection) return Result<std::string>::Failure(error_);
  return ReadClipboard(*connection);
}

}  // namespace tagsmit::x11
