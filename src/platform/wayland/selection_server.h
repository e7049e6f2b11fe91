#pragma once

#include <string>

#include "platform/wayland/clipboard_formats.h"
#include "platform/wayland/data_control.h"
#include "platform/wayland/text_transfers.h"
#include "platform/wayland/wayland_connection.h"

namespace tagsmit::wayland {

// Serves the selection that this client has set: writes the text into the
// pipe of every reader that asks for an offered type (kOfferedMimeTypes),
// through TextTransfers, until the selection is lost or the compositor goes
// away, and then finishes the transfers under way.
class SelectionServer final : public SelectionRequests {
 public:
  explicit SelectionServer(std::string text) : text_(std::move(text)) {}

  void Send(const char* mime_type, int fd) override;
  void Lost() override { lost_ = true; }
  bool lost() const { return lost_; }

  // Answers the compositor on `connection` until the selection is lost or
  // the connection breaks, then finishes the transfers.
  void Serve(Connection* connection);
  // Finishes the transfers under way, without listening to the compositor.
  void FinishTransfers() { Serve(nullptr); }

 private:
  ClipboardText text_;
  TextTransfers transfers_;
  bool lost_ = false;
};

}  // namespace tagsmit::wayland
