#pragma once

#include <string>

#include "platform/desktop.h"

namespace tagsmit {

// Writes what a message box would show to standard error: the prompt and a
// line feed.
void WriteBoxToStandardError(const std::string& prompt);

// The desktop of print mode, which needs no display: boxes go to standard
// error and answer with their default button, there is no sound, no Shift
// and no clipboard.
class ConsoleDesktop final : public Desktop {
 public:
  BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                   const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override;
  void Beep() override {}
  void Warn(const std::string& text) override { WriteBoxToStandardError(text); }
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;
  bool IsShiftDown() override { return false; }
  std::string ToLower(const std::string& text) override;
  ProgramIdentity Identity() override;
};

}  // namespace tagsmit
