#include "platform/win32/views/settings_window.h"

#include "platform/win32/views/about_window.h"
#include "platform/win32/views/dir_picker_window.h"
#include "platform/win32/views/window_look.h"
#include "settings/settings_controls.h"
#include "settings/settings_texts.h"

namespace tagsmit::win32 {
namespace {

int Index(SettingsControl control) {
  return static_cast<int>(control);
}

// The monitor the window is on, in pixels, as the placement measures it.
RECT MonitorOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcMonitor;
}

}  // namespace

SettingsWindow::SettingsWindow() : window_(kSettingsWindow.client, nullptr) {
  window_.SetCaption(settings_text::kWindowCaption);
  window_.Build(kSettingsWindow, &form_);
}

HWND SettingsWindow::Control(SettingsControl control) const {
  return window_.ControlHandle(Index(control));
}

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

void SettingsWindow::SetStaysOnTop(bool on_top) {
  SetWindowOnTop(Handle(), on_top);
}

void SettingsWindow::Close() {
  window_.Finish();
}

void SettingsWindow::SetChecked(SettingsControl control, bool checked) {
  SendMessageW(Control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool SettingsWindow::IsChecked(SettingsControl control) {
  return SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsWindow::SetText(SettingsControl control, const std::string& text) {
  window_.SetControlText(Index(control), text);
}

std::string SettingsWindow::Text(SettingsControl control) {
  return window_.ControlText(Index(control));
}

void SettingsWindow::SetEnabled(SettingsControl control, bool enabled) {
  EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void SettingsWindow::Focus(SettingsControl control) {
  SetFocus(Control(control));
}

void SettingsWindow::SelectAllText(SettingsControl control) {
  SendMessageW(Control(control), EM_SETSEL, 0, -1);
}

void SettingsWindow::ShowClipStrs(const std::vector<std::string>& entries, int selected) {
  window_.ShowListEntries(Index(SettingsControl::cmbClipStr), entries, selected);
}

std::unique_ptr<DirPickerView> SettingsWindow::CreateDirPickerView() {
  return std::make_unique<DirPickerWindow>(Handle());
}

std::unique_ptr<AboutView> SettingsWindow::CreateAboutView() {
  return std::make_unique<AboutWindow>(Handle());
}

}  // namespace tagsmit::win32
