#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include "platform/box_buttons.h"
#include "platform/program_identity.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/input_box.h"
#include "platform/win32/win32_lower_case.h"
#include "platform/win32/win32_standard_streams.h"
#include "platform/win32_api/utf16.h"
#include "platform/win32_api/windows_text.h"

namespace tagsmit {
namespace {

UINT IconFlag(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Critical:
      return MB_ICONERROR;
    case BoxIcon::Question:
      return MB_ICONQUESTION;
    case BoxIcon::Exclamation:
      return MB_ICONWARNING;
    case BoxIcon::Information:
      return MB_ICONINFORMATION;
    case BoxIcon::None:
      break;
  }
  return 0;
}

// MessageBoxW labels its buttons in the system's language; like every other
// text of the program they are Japanese whatever the locale, so the box is
// relabelled when it is first activated, before it is drawn. The box's
// dialog keys find the new "&Y" and "&N".
thread_local HHOOK box_hook = nullptr;

LRESULT CALLBACK RelabelBoxButtons(int code, WPARAM wparam, LPARAM lparam) {
  const LRESULT next = CallNextHookEx(box_hook, code, wparam, lparam);
  if (code == HCBT_ACTIVATE) {
    const HWND box = reinterpret_cast<HWND>(wparam);
    SetDlgItemTextW(box, IDYES, Utf16FromUtf8(box_button::kYes).c_str());
    SetDlgItemTextW(box, IDNO, Utf16FromUtf8(box_button::kNo).c_str());
    SetDlgItemTextW(box, IDOK, Utf16FromUtf8(box_button::kOk).c_str());
    UnhookWindowsHookEx(box_hook);
    box_hook = nullptr;
  }
  return next;
}

}  // namespace

BoxAnswer Win32Desktop::MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                               const std::string& title) {
  const UINT button_flags = buttons == BoxButtons::YesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK;
  box_hook = SetWindowsHookExW(WH_CBT, RelabelBoxButtons, nullptr, GetCurrentThreadId());
  const int pressed = MessageBoxW(GetActiveWindow(), ToWindowsText(prompt).c_str(),
                                  ToWindowsText(title).c_str(), button_flags | IconFlag(icon));
  if (box_hook != nullptr) {  // no box was activated
    UnhookWindowsHookEx(box_hook);
    box_hook = nullptr;
  }
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  // A box that could not be shown answered nothing: No changes nothing.
  return pressed == IDYES ? BoxAnswer::Yes : BoxAnswer::No;
}

std::string Win32Desktop::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& default_text) {
  return ShowInputBox(prompt, title, default_text);
}

void Win32Desktop::Beep() {
  MessageBeep(MB_OK);
}

void Win32Desktop::Warn(const std::string& text) {
  Win32StandardStreams::WriteError(text + '\n');
}

Status Win32Desktop::SetClipboardText(const std::string& text) {
  return PutClipboardText(text);
}

Result<std::string> Win32Desktop::ClipboardText() {
  return GetClipboardText();
}

bool Win32Desktop::IsShiftDown() {
  return GetKeyState(VK_SHIFT) < 0;
}

std::string Win32Desktop::ToLower(const std::string& text) {
  return Win32LowerCase(text);
}

ProgramIdentity Win32Desktop::Identity() {
  return TagsmitIdentity();
}

}  // namespace tagsmit
