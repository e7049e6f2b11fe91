#pragma once

#include "about/about_form.h"
#include "about/about_view.h"
#include "platform/win32/views/view_window.h"

namespace tagsmit::win32 {

// The About window on Windows. OK, Enter, Esc and a click on the bare
// background close it; a click on a label or the picture does not.
class AboutWindow final : public AboutView {
 public:
  explicit AboutWindow(HWND owner);

  HWND Handle() const { return window_.Handle(); }
  HWND Control(AboutControl control) const;

  // AboutView.
  void SetStaysOnTop(bool on_top) override;
  void Close() override;
  void SetText(AboutText which, const std::string& text) override;
  void RunModal(AboutForm& form) override;

 private:
  ViewWindow window_;
  AboutForm* form_ = nullptr;
};

}  // namespace tagsmit::win32
