#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/result.h"
#include "platform/display_services.h"
#include "platform/x11/x11_connection.h"

namespace tagsmit::x11 {

// What a run needs from the X server: the Shift state, the bell and the
// clipboard. Connects on first use, and again after handing its connection
// to a clipboard holder; without a display every operation fails or does
// nothing, and Error() names why.
class Session final : public DisplayServices {
 public:
  bool Connected() override;
  const std::string& Error() const { return error_; }

  // True while a Shift key is held; false without a display.
  bool ShiftHeld();
  // Rings the X bell; false without a display.
  bool RingBell() override;
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;

 private:
  Connection* Get();

  bool tried_ = false;
  std::shared_ptr<Connection> connection_;
  std::string error_;
};

}  // namespace tagsmit::x11
