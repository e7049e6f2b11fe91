#include "scripted_desktop.h"

#include "base/ascii.h"

namespace tagsmit::testing {

BoxAnswer ScriptedDesktop::MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                                  const std::string& title) {
  boxes.push_back({prompt, icon, buttons, title});
  events.push_back("box");
  BoxAnswer fallback = buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Yes;
  if (answers.empty()) return fallback;
  BoxAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::string ScriptedDesktop::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& default_text) {
  input_boxes.push_back({prompt, title, default_text});
  events.push_back("input");
  if (inputs.empty()) return {};
  std::string answer = inputs.front();
  inputs.pop_front();
  return answer;
}

Status ScriptedDesktop::SetClipboardText(const std::string& text) {
  if (clipboard_fails) return Status::Failure("clipboard is held by another program");
  clipboard = text;
  events.push_back("clipboard");
  return Status::Ok();
}

Result<std::string> ScriptedDesktop::ClipboardText() {
  if (clipboard_fails) return Result<std::string>::Failure("clipboard is held by another program");
  return clipboard;
}

std::string ScriptedDesktop::ToLower(const std::string& text) {
  ++lower_case_calls;
  return AsciiLower(text);
}

}  // namespace tagsmit::testing
