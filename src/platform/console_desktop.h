#pragma once

#include <string>

#include "platform/desktop.h"
#include "platform/standard_streams.h"

namespace tagsmit {

// The desktop of print mode, which needs no display: a box writes its prompt
// and a line feed to standard error and answers with its default button;
// there is no sound, no Shift and no clipboard. Lower case is the
// platform's mapping, handed in.
class ConsoleDesktop final : public Desktop {
 public:
  using LowerCase = std::string (*)(const std::string& text);

  ConsoleDesktop(StandardStreams& streams, LowerCase lower_case)
      : streams_(streams), lower_case_(lower_case) {}

  BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                   const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override;
  void Beep() override {}
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;
  bool IsShiftDown() override { return false; }
  std::string ToLower(const std::string& text) override { return lower_case_(text); }
  ProgramIdentity Identity() override;

 private:
  StandardStreams& streams_;
  LowerCase lower_case_;
};

}  // namespace tagsmit
