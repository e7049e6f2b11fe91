#include "platform/linux/console_desktop.h"

#include <cstdio>

#include "platform/linux/lower_case.h"
#include "platform/program_identity.h"

namespace tagsmit {

void WriteBoxToStandardError(const std::string& prompt) {
  const std::string text = prompt + '\n';
  std::fwrite(text.data(), 1, text.size(), stderr);
}

BoxAnswer ConsoleDesktop::MsgBox(const std::string& prompt, BoxIcon, BoxButtons buttons,
                                 const std::string&) {
  WriteBoxToStandardError(prompt);
  return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
}

std::string ConsoleDesktop::InputBox(const std::string& prompt, const std::string&,
                                     const std::string&) {
  WriteBoxToStandardError(prompt);
  return {};
}

Status ConsoleDesktop::SetClipboardText(const std::string&) {
  return Status::Failure("print mode has no clipboard");
}

Result<std::string> ConsoleDesktop::ClipboardText() {
  return Result<std::string>::Failure("print mode has no clipboard");
}

std::string ConsoleDesktop::ToLower(const std::string& text) {
  return LowerCaseUtf8(text);
}

ProgramIdentity ConsoleDesktop::Identity() {
  return TagsmitIdentity();
}

}  // namespace tagsmit
