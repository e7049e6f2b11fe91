#include "platform/win32/views/view_window.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/views/control_windows.h"
#include "platform/win32/views/window_look.h"
#include "platform/win32_api/system_function.h"
#include "platform/win32_api/windows_text.h"
#include "window/first_focus.h"
#include "window/grow_to_fit.h"
#include "window/push_down.h"

namespace tagsmit::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"TagsmitWindow";
// Control identifiers start above IDOK and IDCANCEL, which Enter and Esc send.
constexpr int kFirstControlId = 100;

ATOM RegisterWindowClass(WNDPROC procedure) {
  // Loaded here, not imported: a run that shows no window does without the
  // common controls (and the theme library that version 6 brings along).
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  if (auto* init =
          SystemFunction<decltype(InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx")) {
    init(&common);
  }
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  // A resource number, whichever character width the headers chose.
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  return RegisterClassExW(&window_class);
}

// Sizes `window` so that its client area is `client`: the frame is measured
// as the system draws it at the window's present resolution, and measured
// again once the window has its size.
void SetClientSize(HWND window, SIZE client) {
  for (int pass = 0; pass < 2; ++pass) {
    RECT outer{}, inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    if (inner.right == client.cx && inner.bottom == client.cy) return;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + client.cx - inner.right,
                 outer.bottom - outer.top + client.cy - inner.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// A control's place in its window's client area.
PixelRect PlaceOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool IsViewWindow(HWND window) {
  wchar_t name[std::size(kWindowClass) + 1] = {};
  return GetClassNameW(window, name, static_cast<int>(std::size(name))) != 0 &&
         lstrcmpW(name, kWindowClass) == 0;
}

}  // namespace

ViewWindow::ViewWindow(TwipsSize client, HWND owner) : owner_(owner), client_(client) {
  static const ATOM registered = RegisterWindowClass(&ViewWindow::Procedure);
  (void)registered;
  const DWORD style = WS_CAPTION | WS_SYSMENU | (owner == nullptr ? WS_MINIMIZEBOX : WS_POPUP);
  const DWORD extended_style = owner == nullptr ? 0 : WS_EX_DLGMODALFRAME;
  // An owned window starts on its owner's monitor, so that it takes that resolution.
  RECT at{0, 0, 0, 0};
  if (owner != nullptr) GetWindowRect(owner, &at);
  window_ = CreateWindowExW(extended_style, kWindowClass, L"", style, at.left, at.top, 0, 0, owner,
                            nullptr, GetModuleHandleW(nullptr), this);
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  dpi_ = WindowDpi(window_);
}

ViewWindow::~ViewWindow() {
  if (owner_ != nullptr && !finished_) EnableWindow(owner_, TRUE);
  // The messages of the destruction no longer reach this object.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);  // with its controls and tooltips
  for (const ControlWindow& control : controls_) {
    if (control.font != nullptr) DeleteObject(control.font);
    if (control.icon != nullptr) DestroyIcon(control.icon);
  }
  if (big_icon_ != nullptr) DestroyIcon(big_icon_);
  if (small_icon_ != nullptr) DestroyIcon(small_icon_);
}

void ViewWindow::AddControl(int control, const ControlLook& look, KeyRoles keys, ControlEvent event,
                            std::function<void(int)> raise) {
  ControlWindow& added = controls_[static_cast<size_t>(control)];
  added.look = look;
  added.event = event;
  added.raise = std::move(raise);
  added.hwnd = CreateControlWindow(window_, kFirstControlId + control, look, keys.is_default);
  if (keys.is_default) default_ = control;
  if (keys.is_cancel) cancel_ = control;

  if (*look.tooltip == '\0') return;
  const std::wstring tip = ToWindowsText(look.tooltip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.lpszText = const_cast<wchar_t*>(tip.c_str());  // copied by the tooltip control
  if (look.kind == ControlKind::Frame) {
    // A frame lets the mouse through to the window; its tip is a place there.
    tool.uFlags = TTF_SUBCLASS;
    tool.uId = static_cast<UINT_PTR>(kFirstControlId + control);
  } else {
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.uId = reinterpret_cast<UINT_PTR>(added.hwnd);
  }
  SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Tab and the dialog keys follow the order of the windows: the controls that
// take the focus come first, in Tab order; each starts a group for the arrow
// keys, except an option button after another one.
void ViewWindow::Arrange(const std::vector<int>& tab_order) {
  tab_order_ = tab_order;
  HWND previous = HWND_TOP;
  bool previous_option = false;
  const auto place_after = [&previous](HWND control, LONG_PTR extra_style) {
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | extra_style);
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  };
  for (const int index : tab_order) {
    const ControlWindow& control = controls_[static_cast<size_t>(index)];
    const bool option = control.look.kind == ControlKind::OptionButton;
    place_after(control.hwnd, WS_TABSTOP | (option && previous_option ? 0 : WS_GROUP));
    previous_option = option;
  }
  for (const bool frames : {false, true}) {
    for (size_t index = 0; index < controls_.size(); ++index) {
      const ControlWindow& control = controls_[index];
      const bool frame = control.look.kind == ControlKind::Frame;
      if (frame == frames && std::find(tab_order.begin(), tab_order.end(),
                                       static_cast<int>(index)) == tab_order.end()) {
        place_after(control.hwnd, WS_GROUP);
      }
    }
  }
}

void ViewWindow::LayOut(UINT dpi) {
  dpi_ = dpi;
  for (size_t index = 0; index < controls_.size(); ++index) {
    ControlWindow& control = controls_[index];
    const PixelRect place = TwipsToPixels(control.look.place, dpi);
    const HFONT font = CreateControlFont(control.look.font, dpi);
    SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.font != nullptr) DeleteObject(control.font);
    control.font = font;
    PlaceControlWindow(control.hwnd, control.look.kind, place, font, ClientPixels());
    control.grown = PlaceOf(control.hwnd);
    control.reach = control.grown.height;
    switch (control.look.kind) {
      case ControlKind::Label:
        FitLabel(control);
        break;
      case ControlKind::Picture:
        SetPicture(control, place, STM_SETIMAGE, std::min(place.width, place.height));
        break;
      case ControlKind::CommandButton:
        // The picture stands for the caption, which stays the button's text.
        if (control.look.picture != ControlPicture::None) {
          SetPicture(control, place, BM_SETIMAGE, std::min(place.width, place.height) * 4 / 5);
        }
        break;
      case ControlKind::Frame:
        if (*control.look.tooltip != '\0') {
          TTTOOLINFOW tool{};
          tool.cbSize = sizeof tool;
          tool.hwnd = window_;
          tool.uId = static_cast<UINT_PTR>(kFirstControlId + static_cast<int>(index));
          tool.rect = {place.left, place.top, place.left + place.width, place.top + place.height};
          SendMessageW(tooltips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        break;
      default:
        break;
    }
  }
  PushGrownPlacesDown();
  SetWindowIcons(dpi);
  const PixelSize client = ClientPixels();
  SetClientSize(window_, {client.width, client.height});
  InvalidateRect(window_, nullptr, TRUE);
}

PixelSize ViewWindow::ClientPixels() const {
  return {TwipsToPixels(client_.width, dpi_), TwipsToPixels(client_.height, dpi_)};
}

// A label grows to hold its whole text in its font; what it leaves uncovered
// is the window's face again.
void ViewWindow::FitLabel(ControlWindow& label) {
  const PixelRect before = PlaceOf(label.hwnd);
  const PixelSize text = LabelTextSize(label.hwnd, label.font);
  label.grown = GrowToFit(TwipsToPixels(label.look.place, dpi_), text, ClientPixels());
  label.reach = text.height;
  const PixelRect& place = label.grown;
  MoveWindow(label.hwnd, place.left, place.top, place.width, place.height, FALSE);
  RECT after{place.left, place.top, place.left + place.width, place.top + place.height};
  const RECT was{before.left, before.top, before.left + before.width, before.top + before.height};
  UnionRect(&after, &after, &was);
  RedrawWindow(window_, &after, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ViewWindow::PushGrownPlacesDown() {
  std::vector<GrownControl> grown;
  for (const ControlWindow& control : controls_) {
    grown.push_back(
        {control.look.kind, TwipsToPixels(control.look.place, dpi_), control.grown, control.reach});
  }
  const std::vector<PixelRect> places = PushDown(grown);
  bool moved = false;
  for (size_t index = 0; index < controls_.size(); ++index) {
    const PixelRect& place = places[index];
    const PixelRect now = PlaceOf(controls_[index].hwnd);
    if (place.top == now.top && place.height == now.height) continue;
    // Only the top and a scrolling control's height change; a drop-down
    // list keeps the height of its open list.
    const UINT keep_size = place.height == now.height ? SWP_NOSIZE : 0;
    SetWindowPos(controls_[index].hwnd, nullptr, place.left, place.top, place.width, place.height,
                 keep_size | SWP_NOZORDER | SWP_NOACTIVATE);
    moved = true;
  }
  if (moved) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Where a Windows dialog puts the focus on opening (FirstFocus).
HWND ViewWindow::FirstFocusControl() const {
  std::vector<FocusStop> stops;
  for (const int index : tab_order_) {
    const HWND control = ControlHandle(index);
    const ControlKind kind = controls_[static_cast<size_t>(index)].look.kind;
    stops.push_back({kind, IsWindowEnabled(control) != FALSE,
                     kind == ControlKind::OptionButton &&
                         SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED});
  }
  const int first = FirstFocus(stops);
  return first < 0 ? nullptr : ControlHandle(tab_order_[static_cast<size_t>(first)]);
}

void ViewWindow::SetPicture(ControlWindow& control, const PixelRect& place, UINT message,
                            int size) {
  if (control.icon != nullptr) DestroyIcon(control.icon);
  control.icon = LoadPictureIcon(control.look.picture, size);
  SendMessageW(control.hwnd, message, IMAGE_ICON, reinterpret_cast<LPARAM>(control.icon));
  // A picture control takes the size of its picture; the place stays the table's.
  MoveWindow(control.hwnd, place.left, place.top, place.width, place.height, FALSE);
}

void ViewWindow::SetWindowIcons(UINT dpi) {
  const HICON big = LoadPictureIcon(ControlPicture::ProgramIcon,
                                    MulDiv(GetSystemMetrics(SM_CXICON), static_cast<int>(dpi), 96));
  const HICON small =
      LoadPictureIcon(ControlPicture::ProgramIcon,
                      MulDiv(GetSystemMetrics(SM_CXSMICON), static_cast<int>(dpi), 96));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (big_icon_ != nullptr) DestroyIcon(big_icon_);
  if (small_icon_ != nullptr) DestroyIcon(small_icon_);
  big_icon_ = big;
  small_icon_ = small;
}

void ViewWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(window_, ToWindowsText(caption).c_str());
}

void ViewWindow::SetControlText(int control, const std::string& text) {
  SetWindowTextW(ControlHandle(control), ToWindowsText(text).c_str());
  ControlWindow& shown = controls_[static_cast<size_t>(control)];
  if (shown.look.kind != ControlKind::Label) return;
  FitLabel(shown);
  PushGrownPlacesDown();
}

std::string ViewWindow::ControlText(int control) const {
  const HWND hwnd = ControlHandle(control);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return FromWindowsText(text);
}

void ViewWindow::ShowListEntries(int control, const std::vector<std::string>& entries,
                                 int selected) {
  ControlWindow& list = controls_[static_cast<size_t>(control)];
  SendMessageW(list.hwnd, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) {
    SendMessageW(list.hwnd, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ToWindowsText(entry).c_str()));
  }
  SendMessageW(list.hwnd, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  list.shown_entry = selected;
}

void ViewWindow::RunModal() {
  RECT owner{}, own{};
  GetWindowRect(owner_, &owner);
  GetWindowRect(window_, &own);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  const LONG left = std::clamp<LONG>((owner.left + owner.right - width) / 2, work.left,
                                     std::max(work.left, work.right - width));
  const LONG top = std::clamp<LONG>((owner.top + owner.bottom - height) / 2, work.top,
                                    std::max(work.top, work.bottom - height));
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  finished_ = false;
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  RunUntilFinished();
}

void ViewWindow::RunUntilFinished() {
  MSG message;
  while (!finished_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The quit request belongs to the outermost loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (got == -1) return;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root != nullptr && IsViewWindow(root) && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void ViewWindow::Finish() {
  finished_ = true;
  if (owner_ != nullptr) EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

void ViewWindow::Raise(ControlWindow& control, int index) {
  if (control.raise) control.raise(index);
}

// A drive list raises its change once the user has settled on an entry: when
// the open list closes, or at once for the arrow keys on the closed list.
void ViewWindow::RaiseChangedEntry(ControlWindow& control) {
  const auto chosen = static_cast<int>(SendMessageW(control.hwnd, CB_GETCURSEL, 0, 0));
  if (chosen == control.shown_entry) return;
  control.shown_entry = chosen;
  Raise(control, chosen);
}

void ViewWindow::OnCommand(int id, int code) {
  if (id == IDCANCEL) {
    Cancel();
    return;
  }
  const int index = id - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(controls_.size())) return;
  ControlWindow& control = controls_[static_cast<size_t>(index)];
  switch (control.event) {
    case ControlEvent::Click:
      if (control.look.kind == ControlKind::ListBox) {
        if (code == CBN_SELCHANGE) {
          Raise(control, static_cast<int>(SendMessageW(control.hwnd, CB_GETCURSEL, 0, 0)));
        }
      } else if (code == BN_CLICKED) {
        Raise(control, 0);
      }
      return;
    case ControlEvent::Change:
      if (code == CBN_CLOSEUP ||
          (code == CBN_SELCHANGE && !SendMessageW(control.hwnd, CB_GETDROPPEDSTATE, 0, 0))) {
        RaiseChangedEntry(control);
      }
      return;
    case ControlEvent::Open:
      if (code == LBN_DBLCLK) {
        Raise(control, static_cast<int>(SendMessageW(control.hwnd, LB_GETCURSEL, 0, 0)));
      }
      return;
    case ControlEvent::None:
      return;
  }
}

bool ViewWindow::IsLabel(HWND control) const {
  const int index = GetDlgCtrlID(control) - kFirstControlId;
  return index >= 0 && index < static_cast<int>(controls_.size()) &&
         controls_[static_cast<size_t>(index)].look.kind == ControlKind::Label;
}

// Esc, the close box and Alt+F4 press the cancel button.
void ViewWindow::Cancel() {
  if (cancel_ >= 0) Raise(controls_[static_cast<size_t>(cancel_)], 0);
}

LRESULT ViewWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case DM_GETDEFID:
      if (default_ < 0) return 0;
      return MAKELRESULT(kFirstControlId + default_, DC_HASDEFID);
    case WM_CLOSE:
      Cancel();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (IsChild(window_, GetFocus())) focus_ = GetFocus();
      } else {
        if (focus_ == nullptr || !IsWindowEnabled(focus_)) focus_ = FirstFocusControl();
        if (focus_ != nullptr) SetFocus(focus_);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (background_click_) background_click_();
      return 0;
    case WM_VKEYTOITEM: {
      // Space opens the highlighted entry of a directory list; Enter stays OK.
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
      const int index = id - kFirstControlId;
      if (LOWORD(wparam) == VK_SPACE && index >= 0 && index < static_cast<int>(controls_.size()) &&
          controls_[static_cast<size_t>(index)].event == ControlEvent::Open) {
        Raise(controls_[static_cast<size_t>(index)], HIWORD(wparam));
        return -2;
      }
      return -1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Labels, check boxes and option buttons on the window's own face. A
      // label leaves the face to the window: a label grown over its
      // neighbour's place must not paint out the neighbour's text.
      const auto dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      if (IsLabel(reinterpret_cast<HWND>(lparam))) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DRAWITEM:
      DrawDirectoryEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), dpi_);
      return TRUE;
    case WM_DPICHANGED: {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut(HIWORD(wparam));
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

LRESULT CALLBACK ViewWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* view = static_cast<ViewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    view->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  }
  auto* view = reinterpret_cast<ViewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (view == nullptr || view->window_ != window)
    return DefWindowProcW(window, message, wparam, lparam);
  return view->Handle(message, wparam, lparam);
}

}  // namespace tagsmit::win32
