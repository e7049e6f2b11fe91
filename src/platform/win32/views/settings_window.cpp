#include "platform/win32/views/settings_window.h"

#include "platform/win32/views/about_window.h"
#include "platform/win32/views/dir_picker_window.h"
#include "settings_window/settings_texts.h"

namespace tagsmit::win32 {
namespace {

// The monitor the window is on, in pixels, as the placement measures it.
RECT MonitorOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcMonitor;
}

}  // namespace

SettingsWindow::SettingsWindow()
    : TableWindow(kSettingsWindow, nullptr, settings_text::kWindowCaption) {}

Extent SettingsWindow::ScreenSize() {
  const RECT screen = MonitorOf(Handle());
  return {screen.right - screen.left, screen.bottom - screen.top};
}

Extent SettingsWindow::WindowSize() {
  RECT frame{};
  GetWindowRect(Handle(), &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void SettingsWindow::MoveTo(int left, int top) {
  const RECT screen = MonitorOf(Handle());
  SetWindowPos(Handle(), nullptr, screen.left + left, screen.top + top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsWindow::Show() {
  ShowWindow(Handle(), SW_SHOW);
}

std::unique_ptr<DirPickerView> SettingsWindow::CreateDirPickerView() {
  return std::make_unique<DirPickerWindow>(Handle());
}

std::unique_ptr<AboutView> SettingsWindow::CreateAboutView() {
  return std::make_unique<AboutWindow>(Handle());
}

int RunSettingsWindow(AppState& app, Services& services) {
  SettingsWindow window;
  MainForm form(window, app, services);
  window.Bind(form);
  form.Open();
  window.RunUntilClosed();
  // OK has saved, or Cancel and the close box ended without saving: either
  // is a normal end.
  return 0;
}

}  // namespace tagsmit::win32
