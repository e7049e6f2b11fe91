#pragma once

#include <string>

#include "base/result.h"

namespace tagsmit {

// What a run needs of one display system (Wayland or X11) beside boxes and
// windows: the clipboard and the bell.
class DisplayServices {
 public:
  virtual ~DisplayServices() = default;
  // Whether the display system answers; connects if need be.
  virtual bool Connected() = 0;
  // Puts `text` on the clipboard, to stay there after the run; or names why not.
  virtual Status SetClipboardText(const std::string& text) = 0;
  // The text the clipboard holds now.
  virtual Result<std::string> ClipboardText() = 0;
  // Rings the desktop's bell; false when this system has none to ring.
  virtual bool RingBell() = 0;
};

}  // namespace tagsmit
