#include "platform/win32/views/about_window.h"

namespace tagsmit::win32 {

AboutWindow::AboutWindow(HWND owner) : ModalTableWindow(kAboutWindow, owner, "") {
  window_.OnBackgroundClick([this] {
    if (logic_ != nullptr) logic_->Form_Click();
  });
}

}  // namespace tagsmit::win32
