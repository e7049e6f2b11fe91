#include "platform/win32/views/control_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32_api/windows_text.h"
#include "window/grow_to_fit.h"

namespace tagsmit::win32 {
namespace {

// Rows a drop-down list shows when it opens.
constexpr int kDroppedRows = 8;
// Indentation of one level of the directory list and the margin before the
// names, in twips.
constexpr int kIndentTwips = 150;
constexpr int kMarginTwips = 45;

struct ClassAndStyle {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style;
};

ClassAndStyle ControlClass(const ControlLook& look, bool is_default) {
  switch (look.kind) {
    case ControlKind::CommandButton:
      return {WC_BUTTONW,
              static_cast<DWORD>((is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                                 (look.picture != ControlPicture::None ? BS_ICON : 0)),
              0};
    case ControlKind::OptionButton:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX, 0};
    case ControlKind::TextBox:
      return {WC_EDITW, ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ReadOnlyText:
      return {WC_EDITW, ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::Label:
      // SS_NOTIFY: a click on a label is the label's, not the background's.
      return {WC_STATICW, SS_LEFT | SS_NOTIFY, 0};
    case ControlKind::Frame:
      // Clipped by the controls in front of it, so it never paints over them.
      return {WC_BUTTONW, BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    case ControlKind::ListBox:
    case ControlKind::DriveList:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, 0};
    case ControlKind::DirectoryList:
      return {WC_LISTBOXW,
              LBS_NOTIFY | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT |
                  LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::Picture:
      return {WC_STATICW, SS_ICON | SS_REALSIZECONTROL | SS_NOTIFY, 0};
  }
  return {WC_STATICW, 0, 0};
}

bool IsDropDown(ControlKind kind) {
  return kind == ControlKind::ListBox || kind == ControlKind::DriveList;
}

int FontHeight(HWND control, HFONT font) {
  const HDC dc = GetDC(control);
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return metrics.tmHeight;
}

// A closed drop-down list as high as its place, or higher where its font
// needs a taller selection field: a line of text and a pixel above and below.
// Measured again after each change, as some systems add to the height they
// are given.
void FitSelectionField(HWND list, const PixelRect& place, HFONT font, PixelSize client) {
  RECT outer{};
  GetWindowRect(list, &outer);
  int field = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  const int edges = static_cast<int>(outer.bottom - outer.top) - field;
  const int height =
      GrowToFit(place, {place.width, FontHeight(list, font) + 2 + edges}, client).height;
  field = height - edges;
  for (int pass = 0; pass < 2 && field > 0; ++pass) {
    SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), field);
    GetWindowRect(list, &outer);
    const int missing = height - static_cast<int>(outer.bottom - outer.top);
    if (missing == 0) return;
    field += missing;
  }
}

}  // namespace

HWND CreateControlWindow(HWND parent, int id, const ControlLook& look, bool is_default) {
  const ClassAndStyle kind = ControlClass(look, is_default);
  const HWND control = CreateWindowExW(
      kind.extended_style, kind.window_class, ToWindowsText(look.caption).c_str(),
      WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  // Texts of any length.
  if (look.kind == ControlKind::TextBox) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  return control;
}

void PlaceControlWindow(HWND control, ControlKind kind, const PixelRect& place, HFONT font,
                        PixelSize client) {
  // A drop-down list's height is that of its open list.
  const int height = IsDropDown(kind) ? place.height * kDroppedRows : place.height;
  MoveWindow(control, place.left, place.top, place.width, height, FALSE);
  if (IsDropDown(kind)) FitSelectionField(control, place, font, client);
  if (kind == ControlKind::DirectoryList) {
    SendMessageW(control, LB_SETITEMHEIGHT, 0, FontHeight(control, font) + 2);
  }
}

PixelSize LabelTextSize(HWND label, HFONT font) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
  const HDC dc = GetDC(label);
  const HGDIOBJ previous = SelectObject(dc, font);
  // Ampersands and tabs as the label treats them; each line as long as it is.
  RECT needed{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  return {static_cast<int>(needed.right - needed.left),
          static_cast<int>(needed.bottom - needed.top)};
}

void DrawDirectoryEntry(const DRAWITEMSTRUCT& item, UINT dpi) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(item.hDC, TRANSPARENT);
  const auto length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  std::wstring name(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  name.resize(static_cast<size_t>(std::max<LRESULT>(
      SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(name.data())),
      0)));
  RECT text = item.rcItem;
  text.left += TwipsToPixels(kIndentTwips * static_cast<int>(item.itemData) + kMarginTwips, dpi);
  DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace tagsmit::win32
