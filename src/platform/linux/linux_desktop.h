#pragma once

#include <string>

#include "platform/console_desktop.h"
#include "platform/desktop.h"
#include "platform/linux/display_choice.h"
#include "platform/linux/linux_lower_case.h"
#include "platform/linux/qt_loader.h"
#include "platform/linux/stdio_streams.h"
#include "platform/x11/x11_session.h"

namespace tagsmit {

// The desktop of the Linux program: the clipboard and the bell of the
// display system that DisplayChoice picks, the Shift state from X11; Qt
// boxes, loaded only when a box must be shown. Without a display, boxes fall
// back to standard error as print mode's do, so that a failure is always
// told; when the display the run reached has gone, the run then ends with
// status 1. Warnings, lower case and the program's identity are print
// mode's too.
class LinuxDesktop final : public Desktop {
 public:
  LinuxDesktop(DisplayChoice& displays, x11::Session& x11, QtLoader& qt)
      : displays_(displays), x11_(x11), qt_(qt) {}

  BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                   const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override;
  void Beep() override { displays_.Beep(); }
  void Warn(const std::string& text) override { console_.Warn(text); }
  Status SetClipboardText(const std::string& text) override {
    return displays_.SetClipboardText(text);
  }
  Result<std::string> ClipboardText() override { return displays_.ClipboardText(); }
  bool IsShiftDown() override { return x11_.ShiftHeld(); }
  std::string ToLower(const std::string& text) override { return console_.ToLower(text); }
  ProgramIdentity Identity() override { return console_.Identity(); }

 private:
  DisplayChoice& displays_;
  x11::Session& x11_;
  QtLoader& qt_;
  StdioStreams streams_;
  ConsoleDesktop console_{streams_, LinuxLowerCase};
};

}  // namespace tagsmit
