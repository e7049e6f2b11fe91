#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/result.h"
#include "platform/display_services.h"
#include "platform/x11/clipboard_holder.h"
#include "platform/x11/x11_connection.h"

namespace tagsmit::x11 {

// What a run needs from the X server: the Shift state, the bell and the
// clipboard. Connects on first use, and again after handing its connection
// to a clipboard holder; without a display every operation fails or does
// nothing. A display that cannot be reached is tried once. The bell that
// follows the clipboard is the holder's to ring, on the connection it took
// over: a run needs one connection.
class Session final : public DisplayServices {
 public:
  bool Connected() override { return Get().ok(); }
  // Connects if need be; or names why there is no display.
  Status Connect();

  // True while a Shift key is held; false without a display.
  bool ShiftHeld();
  // Rings the X bell; false without a display.
  bool RingBell() override;
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;

 private:
  // The open connection, or the one opened now; or why there is none.
  Result<Connection*> Get();

  std::shared_ptr<Connection> connection_;
  // The holder started last, until it has begun serving.
  std::optional<StartedHolder> holder_;
  std::optional<std::string> failure_;  // once connecting has failed
};

}  // namespace tagsmit::x11
