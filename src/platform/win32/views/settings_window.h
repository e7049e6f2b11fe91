#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/views/view_window.h"
#include "settings/main_form.h"
#include "settings/settings_view.h"

namespace tagsmit::win32 {

// The settings window on Windows. It shows what the logic sets and forwards
// the user's actions to the MainForm handlers through the window's table.
class SettingsWindow final : public SettingsView {
 public:
  SettingsWindow();

  // Events go to `form` from now on.
  void Bind(MainForm& form) { form_ = &form; }

  HWND Handle() const { return window_.Handle(); }
  HWND Control(SettingsControl control) const;
  // Handles messages until OK or Cancel has closed the window.
  void RunUntilClosed() { window_.RunUntilFinished(); }

  // SettingsView.
  Extent ScreenSize() override;
  Extent WindowSize() override;
  void MoveTo(int left, int top) override;
  void Show() override;
  void SetStaysOnTop(bool on_top) override;
  void Close() override;
  void SetChecked(SettingsControl control, bool checked) override;
  bool IsChecked(SettingsControl control) override;
  void SetText(SettingsControl control, const std::string& text) override;
  std::string Text(SettingsControl control) override;
  void SetEnabled(SettingsControl control, bool enabled) override;
  void Focus(SettingsControl control) override;
  void SelectAllText(SettingsControl control) override;
  void ShowClipStrs(const std::vector<std::string>& entries, int selected) override;
  std::unique_ptr<DirPickerView> CreateDirPickerView() override;
  std::unique_ptr<AboutView> CreateAboutView() override;

 private:
  ViewWindow window_;
  MainForm* form_ = nullptr;
};

}  // namespace tagsmit::win32
