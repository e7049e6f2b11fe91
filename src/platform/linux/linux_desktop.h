#pragma once

#include <string>

#include "platform/desktop.h"
#include "platform/linux/qt_loader.h"
#include "platform/x11/x11_session.h"

namespace tagsmit {

// The desktop of the Linux program: X11 for the clipboard, the bell and the
// Shift state; Qt boxes, loaded only when a box must be shown. Without a
// display, boxes fall back to standard error.
class LinuxDesktop final : public Desktop {
 public:
  LinuxDesktop(x11::Session& x11, QtLoader& qt) : x11_(x11), qt_(qt) {}

  BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                   const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override;
  void Beep() override { x11_.Bell(); }
  void Warn(const std::string& text) override;
  Status SetClipboardText(const std::string& text) override { return x11_.SetClipboardText(text); }
  Result<std::string> ClipboardText() override { return x11_.ClipboardText(); }
  bool IsShiftDown() override { return x11_.ShiftHeld(); }
  std::string ToLower(const std::string& text) override;
  ProgramIdentity Identity() override;

 private:
  x11::Session& x11_;
  QtLoader& qt_;
};

}  // namespace tagsmit
