// The real Win32 windows: what only they can show. The handlers themselves
// are tested against fake views in tests/settings_window and tests/about.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "about/about_controls.h"
#include "about/about_form.h"
#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "platform/win32/views/about_window.h"
#include "platform/win32/views/dir_picker_window.h"
#include "platform/win32/views/settings_window.h"
#include "platform/win32_api/utf16.h"
#include "run/settings_load_save.h"
#include "scripted_desktop.h"
#include "settings_window/settings_controls.h"
#include "settings_window/settings_texts.h"

namespace tagsmit::testing {
namespace {

using enum SettingsControl;

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), std::ssize(text))));
  return text;
}

std::array<int, 4> PlaceOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::array<int, 4> Expected(const TwipsRect& place, UINT dpi) {
  const PixelRect pixels = TwipsToPixels(place, dpi);
  return {pixels.left, pixels.top, pixels.width, pixels.height};
}

HWND TooltipsOf(HWND window) {
  struct Search {
    HWND owner;
    HWND found = nullptr;
  } search{window};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM param) -> BOOL {
        auto& wanted = *reinterpret_cast<Search*>(param);
        wchar_t name[32] = {};
        GetClassNameW(candidate, name, 32);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 ||
            GetWindow(candidate, GW_OWNER) != wanted.owner) {
          return TRUE;
        }
        wanted.found = candidate;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TooltipOf(HWND tooltips, HWND window, HWND control, bool frame) {
  std::wstring text(200, L'\0');
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window;
  tool.uId =
      frame ? static_cast<UINT_PTR>(GetDlgCtrlID(control)) : reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tooltips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  text.resize(wcslen(text.c_str()));
  return text;
}

// Every control of the table is a child of the window, with its caption and
// tooltip; Tab walks them in the table's order.
template <typename Control, typename Logic>
void ExpectBuiltFromTable(HWND window, const WindowSpec<Control, Logic>& spec,
                          const std::function<HWND(Control)>& handle) {
  int children = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    ++children;
  }
  EXPECT_EQ(children, std::ssize(spec.controls));
  const HWND tooltips = TooltipsOf(window);
  ASSERT_NE(tooltips, nullptr);
  for (const auto& control : spec.controls) {
    const HWND hwnd = handle(control.control);
    ASSERT_EQ(GetParent(hwnd), window) << control.look.name;
    if (*control.look.caption != '\0') {
      EXPECT_EQ(TextOf(hwnd), Utf16FromUtf8(control.look.caption)) << control.look.name;
    }
    EXPECT_EQ(TooltipOf(tooltips, window, hwnd, control.look.kind == ControlKind::Frame),
              Utf16FromUtf8(control.look.tooltip))
        << control.look.name;
  }
  std::vector<HWND> expected, walked;
  for (Control control : spec.TabOrder()) expected.push_back(handle(control));
  HWND at = expected.front();
  do {
    walked.push_back(at);
    at = GetNextDlgTabItem(window, at, FALSE);
  } while (at != expected.front() && walked.size() <= expected.size());
  EXPECT_EQ(walked, expected);
}

// The room a control's text takes in its font, as a label draws it.
SIZE TextSize(HWND control) {
  const HDC dc = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  const std::wstring text = TextOf(control);
  RECT needed{};
  DrawTextW(dc, text.c_str(), std::ssize(text), &needed, DT_CALCRECT | DT_EXPANDTABS);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return {needed.right, std::max<LONG>(needed.bottom, metrics.tmHeight)};
}

// Whether the control's font fits in it: a label's whole text, a check box's
// caption beside its box, a line of text in a drop-down list's selection field.
bool TextFits(HWND control, ControlKind kind) {
  const SIZE needed = TextSize(control);
  RECT has{};
  GetClientRect(control, &has);
  if (kind == ControlKind::Label) return has.right >= needed.cx && has.bottom >= needed.cy;
  if (kind == ControlKind::CheckBox) {
    const int box = GetSystemMetricsForDpi(SM_CXMENUCHECK, GetDpiForWindow(control));
    return has.right >= box + needed.cx && has.bottom >= needed.cy;
  }
  return SendMessageW(control, CB_GETITEMHEIGHT, WPARAM(-1), 0) >= needed.cy;
}

// The places are the table's, converted by the core at the window's
// resolution, when the window opens and whenever it moves to a monitor of
// another one. Where the font needs more room than the table gives, a label
// or a closed drop-down list grows right and down, within the window, so that
// no text is cut, and what lies under it moves down, so that nothing touches:
// no two controls overlap (frames aside, which hold them), a label measured
// by its text.
template <typename Control, typename Logic>
void ExpectLaidOutAt(UINT dpi, HWND window, const WindowSpec<Control, Logic>& spec,
                     const std::function<HWND(Control)>& handle) {
  RECT suggested{};
  GetWindowRect(window, &suggested);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, TwipsToPixels(spec.client.width, dpi)) << dpi;
  EXPECT_EQ(client.bottom, TwipsToPixels(spec.client.height, dpi)) << dpi;
  std::vector<std::pair<const char*, RECT>> measured;
  for (const auto& control : spec.controls) {
    const HWND hwnd = handle(control.control);
    const auto place = PlaceOf(hwnd);
    const auto table = Expected(control.look.place, dpi);
    const ControlKind kind = control.look.kind;
    EXPECT_TRUE(place[0] == table[0] && place[1] >= table[1] && place[2] >= table[2] &&
                place[0] + place[2] <= client.right && place[1] + place[3] <= client.bottom)
        << control.look.name << " at " << dpi;
    if (kind == ControlKind::Label || kind == ControlKind::ListBox ||
        kind == ControlKind::DriveList) {
      EXPECT_TRUE(TextFits(hwnd, kind)) << control.look.name << " at " << dpi;
    }
    if (kind == ControlKind::Frame) continue;
    const LONG height = kind == ControlKind::Label ? TextSize(hwnd).cy : place[3];
    measured.push_back(
        {control.look.name, {place[0], place[1], place[0] + place[2], place[1] + height}});
  }
  for (std::size_t a = 0; a < measured.size(); ++a) {
    for (std::size_t b = a + 1; b < measured.size(); ++b) {
      RECT common{};
      EXPECT_FALSE(IntersectRect(&common, &measured[a].second, &measured[b].second))
          << measured[a].first << " and " << measured[b].first << " at " << dpi;
    }
  }
}

// Acts as the user on the window titled `title` once it is on screen, from
// another thread, while this one runs the window's messages.
class User {
 public:
  User(const std::wstring& title, std::function<void(HWND)> act)
      : thread_([title, act = std::move(act)] {
          HWND window = nullptr;
          for (int i = 0; i < 500 && (window == nullptr || !IsWindowVisible(window)); ++i) {
            window = FindWindowW(L"TagsmitWindow", title.c_str());
            Sleep(10);
          }
          ASSERT_NE(window, nullptr) << "no window";
          act(window);
        }) {}
  ~User() { thread_.join(); }

 private:
  std::thread thread_;
};

void Press(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 0);
}

// A click of the mouse at a point of the window's client area, as the user
// makes it: the system finds the window under the pointer.
void ClickAt(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  clicks[0].mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
}

bool WaitUntilGone(HWND window) {
  for (int i = 0; i < 100 && IsWindow(window) && IsWindowVisible(window); ++i) Sleep(20);
  return !IsWindow(window) || !IsWindowVisible(window);
}

// The real windows over fake services, C:\Web current, the first-start defaults.
class Win32ViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Under Wine, windows need an X display.
    const HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       nullptr, nullptr);
    if (probe == nullptr) GTEST_SKIP() << "no windows without a display";
    DestroyWindow(probe);
    fs.AddDirectory("C:\\Web\\img");
    fs.AddDirectory("C:\\Web\\css");
    fs.ChangeDirectory("C:\\Web");
    SetDefaults(app.options, desktop.identity);
    LoadSettings(app, services);
    window = std::make_unique<win32::SettingsWindow>();
    form = std::make_unique<MainForm>(*window, app, services);
    window->Bind(*form);
  }

  HWND Control(SettingsControl control) { return window->Control(control); }

  FakeFileSystem fs{PathStyle::Windows};
  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
  std::unique_ptr<win32::SettingsWindow> window;
  std::unique_ptr<MainForm> form;
};

TEST_F(Win32ViewsTest, EachWindowHoldsItsTableInTabOrderAndScalesWithTheMonitor) {
  const win32::DirPickerWindow picker(window->Handle());
  win32::AboutWindow about(window->Handle());
  AboutForm(about, *window, desktop.identity).Form_Load();
  const std::function<HWND(SettingsControl)> settings_control = [this](SettingsControl control) {
    return Control(control);
  };
  const std::function<HWND(PickerControl)> picker_control = [&](PickerControl control) {
    return picker.Control(control);
  };
  const std::function<HWND(AboutControl)> about_control = [&](AboutControl control) {
    return about.Control(control);
  };
  EXPECT_EQ(TextOf(window->Handle()), L"Tagsmit \u8A2D\u5B9A");  // 設定
  ExpectBuiltFromTable(window->Handle(), kSettingsWindow, settings_control);
  ExpectBuiltFromTable(picker.Handle(), kPickerWindow, picker_control);
  ExpectBuiltFromTable(about.Handle(), kAboutWindow, about_control);
  // The program's pictures: its icon on the windows and in the About window,
  // the version mark on its button.
  for (const HWND shown : {window->Handle(), picker.Handle(), about.Handle()}) {
    EXPECT_NE(SendMessageW(shown, WM_GETICON, ICON_SMALL, 0), 0);
  }
  EXPECT_NE(SendMessageW(about.Control(AboutControl::picIcon), STM_GETICON, 0, 0), 0);
  EXPECT_NE(SendMessageW(Control(btnVer), BM_GETIMAGE, IMAGE_ICON, 0), 0);
  for (const UINT dpi : {192u, 144u, 96u}) {
    ExpectLaidOutAt(dpi, window->Handle(), kSettingsWindow, settings_control);
    ExpectLaidOutAt(dpi, picker.Handle(), kPickerWindow, picker_control);
    ExpectLaidOutAt(dpi, about.Handle(), kAboutWindow, about_control);
  }
}

// As in a Windows dialog, the focus starts on the chosen mode, so that Space
// does not change it.
TEST_F(Win32ViewsTest, OpensWithTheFocusOnTheCheckedOption) {
  form->Open();  // in fixed mode
  EXPECT_EQ(GetFocus(), Control(optFixed));
  window->Close();
}

TEST_F(Win32ViewsTest, EnterPressesOkAndEscCancelsTheSettingsWindow) {
  form->Open();
  desktop.answers = {BoxAnswer::No};
  const HWND focus = GetFocus() != nullptr ? GetFocus() : window->Handle();
  Press(focus, VK_RETURN);
  Press(focus, VK_ESCAPE);
  window->RunUntilClosed();
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, settings_text::kConfirmSave);
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
}

// The switches added under the first two of the run-time frame show their
// captions whole, and OK saves them.
TEST_F(Win32ViewsTest, AddedSwitchesFitTheirCaptionsAndOkSavesThem) {
  const char* const keys[] = {"MoreFormats", "DisplaySize", "DensitySize", "SrcSet",
                              "SeveralFiles"};
  form->Open();
  for (const char* key : keys) {
    const HWND box = Control(SwitchBoxOf(key));
    EXPECT_TRUE(TextFits(box, ControlKind::CheckBox)) << key;
    SendMessageW(box, BM_CLICK, 0, 0);
  }
  SendMessageW(Control(btnOk), BM_CLICK, 0, 0);
  for (const char* key : keys) EXPECT_EQ(store.Get("Tagsmit", "init", key), "1") << key;
}

// Esc leaves the base path as it was, Enter takes the directory list's path.
TEST_F(Win32ViewsTest, PickerTakesItsPathOnEnterAndNothingOnEsc) {
  app.options.RelativePath = 255;
  app.options.BasePath = "C:\\Web\\img";
  form->Open();
  window->SetText(txtBasePath, "typed");
  for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    const User user(Utf16FromUtf8(settings_text::kPickerCaption), [&](HWND picker) {
      const HWND list = FindWindowExW(picker, nullptr, WC_LISTBOXW, nullptr);
      EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);  // C:\, Web, img
      EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
      Press(picker, key);
      if (!WaitUntilGone(picker)) {
        ADD_FAILURE() << "the picker stayed open";
        PostMessageW(picker, WM_CLOSE, 0, 0);
      }
    });
    SendMessageW(Control(btnRef), BM_CLICK, 0, 0);
    EXPECT_EQ(window->Text(txtBasePath), key == VK_ESCAPE ? "typed" : "C:\\Web\\img");
  }
}

TEST_F(Win32ViewsTest, AboutClosesOnABackgroundClickNotOnALabel) {
  form->Open();
  bool open_after_label = false;
  const User user(
      L"Tagsmit\u306E\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D\u60C5\u5831",  // のﾊﾞｰｼﾞｮﾝ情報
      [&](HWND about) {
        const PixelRect label = TwipsToPixels(
            kAboutWindow.Find(AboutControl::lblVersion).look.place, GetDpiForWindow(about));
        ClickAt(about, label.left + label.width / 2, label.top + label.height / 2);
        open_after_label = !WaitUntilGone(about);
        // Left of the description, below the picture.
        const int background = TwipsToPixels(120, GetDpiForWindow(about));
        const int below = TwipsToPixels(1800, GetDpiForWindow(about));
        ClickAt(about, background, below);
        if (!WaitUntilGone(about)) {
          ADD_FAILURE() << "the background click left the window open";
          Press(about, VK_ESCAPE);
        }
      });
  SendMessageW(Control(btnVer), BM_CLICK, 0, 0);
  EXPECT_TRUE(open_after_label);
}

}  // namespace
}  // namespace tagsmit::testing
