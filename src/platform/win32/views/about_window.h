#pragma once

#include "about/about_controls.h"
#include "platform/win32/views/table_window.h"

namespace tagsmit::win32 {

// The About window on Windows. OK, Enter, Esc and a click on the bare
// background close it; a click on a label or the picture does not.
class AboutWindow final : public ModalTableWindow<AboutView, AboutForm> {
 public:
  explicit AboutWindow(HWND owner);
};

}  // namespace tagsmit::win32
