#pragma once

#include <memory>

#include "platform/win32/views/table_window.h"
#include "settings_window/settings_controls.h"

namespace tagsmit::win32 {

// The settings window on Windows, built from its table.
class SettingsWindow final : public TableWindow<SettingsView, MainForm> {
 public:
  SettingsWindow();

  // Events go to `form` from now on.
  void Bind(MainForm& form) { logic_ = &form; }
  // Handles messages until OK or Cancel has closed the window.
  void RunUntilClosed() { window_.RunUntilFinished(); }

  // SettingsView.
  Extent ScreenSize() override;
  Extent WindowSize() override;
  void MoveTo(int left, int top) override;
  void Show() override;
  std::unique_ptr<DirPickerView> CreateDirPickerView() override;
  std::unique_ptr<AboutView> CreateAboutView() override;
};

// Prepares and shows the settings window for the loaded `app` and runs it
// until OK or Cancel ends it; the process's exit status.
int RunSettingsWindow(AppState& app, Services& services);

}  // namespace tagsmit::win32
