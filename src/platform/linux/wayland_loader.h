#pragma once

#include <string>

#include "base/result.h"
#include "platform/display_services.h"

namespace tagsmit {

// The Wayland services, from their module (platform/wayland/wayland_module.h),
// loaded the first time they are asked for; outside a Wayland session nothing
// asks. Without the module Wayland does not answer: the clipboard fails and
// says why, and there is no bell.
class WaylandLoader final : public DisplayServices {
 public:
  bool Connected() override;
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;
  bool RingBell() override;

 private:
  // The module's services, or null with error_ saying why. Tries once.
  DisplayServices* Get();

  bool tried_ = false;
  DisplayServices* services_ = nullptr;
  std::string error_;
};

}  // namespace tagsmit
