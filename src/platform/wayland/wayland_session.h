#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/result.h"
#include "platform/display_services.h"
#include "platform/wayland/wayland_connection.h"

namespace tagsmit::wayland {

// What a run needs from the Wayland compositor: the clipboard through
// data-control, and the desktop's bell. Connects on first use, and again
// after handing its connection to a clipboard holder; the bell costs no new
// connection where the compositor offers none. A compositor that cannot be
// reached is tried once: one that never answers costs its wait once a run.
class Session final : public DisplayServices {
 public:
  bool Connected() override { return Get().ok(); }
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;
  bool RingBell() override;

 private:
  // The open connection, or the one opened now; or why there is none.
  Result<Connection*> Get();

  std::unique_ptr<Connection> connection_;
  std::optional<bool> offers_bell_;     // known once connected
  std::optional<std::string> failure_;  // once connecting has failed
};

}  // namespace tagsmit::wayland
