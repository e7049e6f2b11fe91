#include "platform/wayland/wayland_session.h"

#include "platform/wayland/clipboard_holder.h"
#include "platform/wayland/clipboard_reader.h"

namespace tagsmit::wayland {
namespace {

constexpr const char* kNoDataControl =
    "the Wayland compositor offers no data-control manager for the clipboard";

}  // namespace

Result<Connection*> Session::Get() {
  if (failure_) return Result<Connection*>::Failure(*failure_);
  if (!connection_) {
    Result<std::unique_ptr<Connection>> opened = Connection::Open();
    if (!opened.ok()) {
      offers_bell_ = false;  // nor is there a bell without a compositor
      failure_ = opened.error();
      return Result<Connection*>::Failure(*failure_);
    }
    connection_ = std::move(opened).value();
    offers_bell_ = connection_->OffersSystemBell();
  }
  return connection_.get();
}

Status Session::SetClipboardText(const std::string& text) {
  const Result<Connection*> connection = Get();
  if (!connection.ok()) return Status::Failure(connection.error());
  if (!connection.value()->OffersDataControl()) return Status::Failure(kNoDataControl);
  Status put = StartClipboardHolder(*connection.value(), text);
  // Set or not, the connection is spent (the holder may have it).
  connection_.reset();
  return put;
}

Result<std::string> Session::ClipboardText() {
  const Result<Connection*> connection = Get();
  if (!connection.ok()) return Result<std::string>::Failure(connection.error());
  if (!connection.value()->OffersDataControl()) return Result<std::string>::Failure(kNoDataControl);
  return ReadClipboard(*connection.value());
}

bool Session::RingBell() {
  if (offers_bell_ == false) return false;
  const Result<Connection*> connection = Get();
  return connection.ok() && connection.value()->OffersSystemBell() &&
         connection.value()->RingSystemBell().ok();
}

}  // namespace tagsmit::wayland
