#pragma once

#include <string>

#include "base/result.h"
#include "platform/display_services.h"

namespace tagsmit {

// Which display system serves the clipboard and the bell. In a Wayland
// session (WAYLAND_DISPLAY set) the text goes through Wayland data-control,
// and where the compositor offers none (GNOME's Mutter passes the X11
// clipboard across itself) or Wayland fails, through X11; elsewhere through
// X11 alone. Failing both, the failure names both reasons. The bell is
// Wayland's where the compositor offers one (xdg_system_bell_v1), else the X
// bell: Xwayland passes it on as an XKB bell event, which GNOME's Mutter plays
// and which nothing in a bare sway or KWin session hears.
class DisplayChoice {
 public:
  // `wayland_display`: the value of WAYLAND_DISPLAY, null when unset.
  DisplayChoice(const char* wayland_display, DisplayServices& wayland, DisplayServices& x11)
      : wayland_session_(wayland_display && *wayland_display), wayland_(wayland), x11_(x11) {}

  Status SetClipboardText(const std::string& text);
  // Reads the clipboard through the system that took the text.
  Result<std::string> ClipboardText();
  void Beep();
  // Whether this is a Wayland session whose compositor answers. Outside a
  // Wayland session Wayland is never asked, so no Wayland library is loaded.
  bool WaylandAnswers() { return wayland_session_ && wayland_.Connected(); }

 private:
  bool wayland_session_;
  DisplayServices& wayland_;
  DisplayServices& x11_;
  DisplayServices* took_text_ = nullptr;
};

}  // namespace tagsmit
