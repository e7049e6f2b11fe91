#pragma once

#include <string>

#include "base/result.h"

namespace tagsmit {

enum class BoxIcon { None, Critical, Question, Exclamation, Information };
enum class BoxButtons { Ok, YesNo };  // with Yes and No, Yes is the default button
enum class BoxAnswer { Ok, Yes, No };

struct ProgramIdentity {
  std::string title;
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// "major.minor.revision", as the program names its version.
inline std::string VersionNumber(const ProgramIdentity& identity) {
  return std::to_string(identity.major) + "." + std::to_string(identity.minor) + "." +
         std::to_string(identity.revision);
}

// The desktop the program runs on: boxes, beep, clipboard, Shift, identity.
// No name here may be one that windows.h defines as a macro (MessageBox is
// MessageBoxW there), so that the Win32 desktop can implement it.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Modal; returns the button pressed. Line breaks are "\n", as everywhere in the core.
  virtual BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                           const std::string& title) = 0;
  // Modal; the edited text, or empty text on Cancel.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& default_text) = 0;
  virtual void Beep() = 0;
  // Tells of a failure that lets the program go on, without a box: a line on
  // standard error, where the program has one.
  virtual void Warn(const std::string& text) = 0;

  // Clears every clipboard format and puts `text` as plain text.
  virtual Status SetClipboardText(const std::string& text) = 0;
  // The plain text the clipboard holds now.
  virtual Result<std::string> ClipboardText() = 0;

  // True while a Shift key is held.
  virtual bool IsShiftDown() = 0;

  // The platform's lower-case mapping, applied to the whole text.
  virtual std::string ToLower(const std::string& text) = 0;

  virtual ProgramIdentity Identity() = 0;
};

}  // namespace tagsmit
