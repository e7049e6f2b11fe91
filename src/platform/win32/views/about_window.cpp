#include "platform/win32/views/about_window.h"

#include "about/about_controls.h"
#include "platform/win32/views/window_look.h"

namespace tagsmit::win32 {

AboutWindow::AboutWindow(HWND owner) : window_(kAboutWindow.client, owner) {
  window_.Build(kAboutWindow, &form_);
  window_.OnBackgroundClick([this] {
    if (form_ != nullptr) form_->Form_Click();
  });
}

HWND AboutWindow::Control(AboutControl control) const {
  return window_.ControlHandle(static_cast<int>(control));
}

void AboutWindow::SetStaysOnTop(bool on_top) {
  SetWindowOnTop(Handle(), on_top);
}

void AboutWindow::Close() {
  window_.Finish();
}

void AboutWindow::SetText(AboutText which, const std::string& text) {
  switch (which) {
    case AboutText::Caption:
      window_.SetCaption(text);
      return;
    case AboutText::lblTitle:
      window_.SetControlText(static_cast<int>(AboutControl::lblTitle), text);
      return;
    case AboutText::lblVersion:
      window_.SetControlText(static_cast<int>(AboutControl::lblVersion), text);
      return;
    case AboutText::txtDescription:
      window_.SetControlText(static_cast<int>(AboutControl::txtDescription), text);
      return;
  }
}

void AboutWindow::RunModal(AboutForm& form) {
  form_ = &form;
  window_.RunModal();
  form_ = nullptr;
}

}  // namespace tagsmit::win32
