#pragma once

#include <string_view>

#include "platform/wayland/clipboard_formats.h"
#include "platform/wayland/data_control.h"
#include "platform/wayland/text_transfers.h"
#include "platform/wayland/wayland_connection.h"

namespace tagsmit::wayland {

// Serves the selection that this client has set: writes the text into the
// pipe of every reader that asks for an offered type (kOfferedMimeTypes),
// through TextTransfers, until the selection is lost (replaced by a newer
// one, or its device gone) or the compositor goes away, and then finishes the
// transfers under way. The text is the caller's, not a copy: it must outlive
// the server (in a holder process the caller's frames never end).
class SelectionServer final : public SelectionRequests {
 public:
  explicit SelectionServer(std::string_view text) : text_(text) {}

  void Send(const char* mime_type, int fd) override;
  void Replaced() override { replaced_ = true; }
  void DeviceGone() override { device_gone_ = true; }
  bool replaced() const { return replaced_; }
  bool device_gone() const { return device_gone_; }
  bool lost() const { return replaced_ || device_gone_; }

  // Answers the compositor on `connection` until the selection is lost or
  // the connection breaks, then finishes the transfers.
  void Serve(Connection* connection);
  // Finishes the transfers under way, without listening to the compositor.
  void FinishTransfers() { Serve(nullptr); }

 private:
  ClipboardText text_;
  TextTransfers transfers_;
  bool replaced_ = false;
  bool device_gone_ = false;
};

}  // namespace tagsmit::wayland
