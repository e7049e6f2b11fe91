#include "platform/console_desktop.h"

#include "platform/program_identity.h"

namespace tagsmit {

BoxAnswer ConsoleDesktop::MsgBox(const std::string& prompt, BoxIcon, BoxButtons buttons,
                                 const std::string&) {
  streams_.Err(prompt + '\n');
  return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
}

std::string ConsoleDesktop::InputBox(const std::string& prompt, const std::string&,
                                     const std::string&) {
  streams_.Err(prompt + '\n');
  return {};
}

Status ConsoleDesktop::SetClipboardText(const std::string&) {
  return Status::Failure("print mode has no clipboard");
}

Result<std::string> ConsoleDesktop::ClipboardText() {
  return Result<std::string>::Failure("print mode has no clipboard");
}

ProgramIdentity ConsoleDesktop::Identity() {
  return TagsmitIdentity();
}

}  // namespace tagsmit
