#pragma once

#include <string>

#include "platform/desktop.h"

namespace tagsmit {

// The Windows desktop: the system's message boxes, an input box of our own,
// the clipboard, the key state and the system's lower-case mapping. Boxes
// belong to the active window, so that a window kept on top never covers them.
class Win32Desktop final : public Desktop {
 public:
  BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                   const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override;
  void Beep() override;
  // To the standard error the caller handed over, else to the console of
  // the process that started the program, else nowhere.
  void Warn(const std::string& text) override;
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;
  // GetKeyState of VK_SHIFT: held when its high-order bit is set.
  bool IsShiftDown() override;
  // Win32LowerCase: the invariant culture's mapping.
  std::string ToLower(const std::string& text) override;
  ProgramIdentity Identity() override;
};

}  // namespace tagsmit
