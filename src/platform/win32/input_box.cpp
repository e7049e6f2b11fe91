#include "platform/win32/input_box.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/box_buttons.h"
#include "platform/win32_api/windows_text.h"

namespace tagsmit {
namespace {

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// Dialog units of the layout.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kEditHeight = 12;
constexpr int kNarrowestPrompt = 160;

struct BoxTexts {
  std::wstring prompt;
  std::wstring title;
  std::wstring text;  // the default, then the answer
};

// An in-memory dialog template: the dialog, then each control, every part
// WORD-aligned and every control DWORD-aligned. Positions are left to the
// layout at WM_INITDIALOG, which measures the prompt.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, std::wstring_view font, WORD point_size) {
    Align(sizeof(DWORD));
    const DLGTEMPLATE dialog{style | DS_SETFONT, 0, 0, 0, 0, 0, 0};
    Append(&dialog, sizeof dialog);
    AppendWord(0);  // no menu
    AppendWord(0);  // the standard dialog class
    AppendWord(0);  // no title yet
    AppendWord(point_size);
    AppendString(font);
  }

  // `window_class` is the ordinal of a predefined class: 0x80 button,
  // 0x81 edit, 0x82 static.
  void AddControl(WORD window_class, DWORD style, DWORD extended_style, WORD id,
                  std::wstring_view text) {
    Align(sizeof(DWORD));
    const DLGITEMTEMPLATE item{style | WS_CHILD | WS_VISIBLE, extended_style, 0, 0, 0, 0, id};
    Append(&item, sizeof item);
    AppendWord(0xFFFF);
    AppendWord(window_class);
    AppendString(text);
    AppendWord(0);  // no creation data
    ++reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit;
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void Append(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), bytes, bytes + size);
  }
  void AppendWord(WORD word) { Append(&word, sizeof word); }
  void AppendString(std::wstring_view text) {
    Append(text.data(), text.size() * sizeof(wchar_t));
    AppendWord(0);
  }
  void Align(std::size_t to) { bytes_.resize((bytes_.size() + to - 1) / to * to); }

  // DWORD-aligned storage for the template.
  std::vector<std::uint8_t> bytes_;
};

// Dialog units to pixels of this dialog's font.
RECT Pixels(HWND dialog, int x, int y, int width, int height) {
  RECT rect{x, y, x + width, y + height};
  MapDialogRect(dialog, &rect);
  return rect;
}

void Place(HWND dialog, int id, const RECT& rect) {
  MoveWindow(GetDlgItem(dialog, id), rect.left, rect.top, rect.right - rect.left,
             rect.bottom - rect.top, FALSE);
}

// The prompt as its static control draws it: lines as given, longer ones
// wrapped at the widest width that still fits on the screen.
SIZE MeasurePrompt(HWND dialog, const std::wstring& prompt, int narrowest, int widest) {
  const HDC dc = GetDC(dialog);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  const UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT;
  RECT natural{0, 0, 0, 0};
  DrawTextW(dc, prompt.c_str(), static_cast<int>(prompt.size()), &natural, format);
  RECT wrapped{0, 0, std::clamp<LONG>(natural.right, narrowest, widest), 0};
  DrawTextW(dc, prompt.c_str(), static_cast<int>(prompt.size()), &wrapped, format | DT_WORDBREAK);
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
  return {std::max<LONG>(wrapped.right, narrowest), wrapped.bottom};
}

// The prompt at the top left, OK and Cancel to its right, the edit field
// below across the whole width; the box centred on its owner or the screen.
void Layout(HWND dialog, const std::wstring& prompt) {
  const RECT unit = Pixels(dialog, kMargin, kGap, kButtonWidth, kButtonHeight);
  const int margin = unit.left;
  const int gap = unit.top;
  const int button_width = unit.right - unit.left;
  const int button_height = unit.bottom - unit.top;
  const int edit_height = Pixels(dialog, 0, 0, 0, kEditHeight).bottom;

  HMONITOR monitor = MonitorFromWindow(GetParent(dialog), MONITOR_DEFAULTTONEAREST);
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  GetMonitorInfoW(monitor, &screen);
  const RECT& work = screen.rcWork;
  const int widest = std::max<int>((work.right - work.left) * 3 / 4 - button_width, margin);
  const SIZE text =
      MeasurePrompt(dialog, prompt, Pixels(dialog, 0, 0, kNarrowestPrompt, 0).right, widest);

  const int buttons_left = margin + text.cx + margin;
  Place(dialog, kPromptId, {margin, margin, margin + text.cx, margin + text.cy});
  Place(dialog, IDOK, {buttons_left, margin, buttons_left + button_width, margin + button_height});
  const int cancel_top = margin + button_height + gap;
  Place(dialog, IDCANCEL,
        {buttons_left, cancel_top, buttons_left + button_width, cancel_top + button_height});
  const int edit_top = std::max<int>(margin + text.cy, cancel_top + button_height) + margin;
  Place(dialog, kEditId, {margin, edit_top, buttons_left + button_width, edit_top + edit_height});

  RECT frame{0, 0, buttons_left + button_width + margin, edit_top + edit_height + margin};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT around = work;
  if (HWND owner = GetParent(dialog); owner != nullptr && IsWindowVisible(owner)) {
    GetWindowRect(owner, &around);
  }
  const int left = std::clamp<int>((around.left + around.right - width) / 2, work.left,
                                   std::max<int>(work.left, work.right - width));
  const int top = std::clamp<int>((around.top + around.bottom - height) / 2, work.top,
                                  std::max<int>(work.top, work.bottom - height));
  SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      const auto& texts = *reinterpret_cast<const BoxTexts*>(lparam);
      SetWindowTextW(dialog, texts.title.c_str());
      SetDlgItemTextW(dialog, kPromptId, texts.prompt.c_str());
      // Sized before it gets its text: a field without width would scroll
      // the text out of its view.
      Layout(dialog, texts.prompt);
      const HWND edit = GetDlgItem(dialog, kEditId);
      // An edit field takes 30,000 characters unless told otherwise.
      SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
      SetWindowTextW(edit, texts.text.c_str());
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SetFocus(edit);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      // Enter and Esc arrive as IDOK and IDCANCEL, as do the two buttons.
      if (LOWORD(wparam) == IDOK) {
        auto& texts = *reinterpret_cast<BoxTexts*>(GetWindowLongPtrW(dialog, DWLP_USER));
        const HWND edit = GetDlgItem(dialog, kEditId);
        texts.text.assign(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        texts.text.resize(static_cast<std::size_t>(
            GetWindowTextW(edit, texts.text.data(), static_cast<int>(texts.text.size()))));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

std::string ShowInputBox(const std::string& prompt, const std::string& title,
                         const std::string& default_text) {
  DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, L"MS Shell Dlg", 9);
  // SS_NOPREFIX: the "&w" and "&h" the prompt asks for show as typed.
  layout.AddControl(0x82, SS_LEFT | SS_NOPREFIX, 0, kPromptId, L"");
  layout.AddControl(0x80, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK, ToWindowsText(box_button::kOk));
  layout.AddControl(0x80, BS_PUSHBUTTON | WS_TABSTOP, 0, IDCANCEL,
                    ToWindowsText(box_button::kCancel));
  layout.AddControl(0x81, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, kEditId, L"");

  BoxTexts texts{ToWindowsText(prompt), ToWindowsText(title), ToWindowsText(default_text)};
  const INT_PTR pressed =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), GetActiveWindow(),
                              InputBoxProc, reinterpret_cast<LPARAM>(&texts));
  return pressed == IDOK ? FromWindowsText(texts.text) : std::string();
}

}  // namespace tagsmit
