#pragma once

#include <memory>

#include "platform/qt/views/table_dialog.h"
#include "settings_window/settings_controls.h"

namespace tagsmit {

// The settings window on Qt, built from its table; a dialog, so that Enter
// presses OK and Esc presses Cancel.
class SettingsWindow final : public TableDialog<SettingsView, MainForm> {
 public:
  SettingsWindow();

  // Events go to `form` from now on.
  void Bind(MainForm& form) { logic_ = &form; }

  // SettingsView.
  Extent ScreenSize() override;
  Extent WindowSize() override;
  void MoveTo(int left, int top) override;
  void Show() override;
  std::unique_ptr<DirPickerView> CreateDirPickerView() override;
  std::unique_ptr<AboutView> CreateAboutView() override;
};

// Prepares and shows the settings window over the loaded options and runs it
// until it closes; the process exit status. A QApplication must exist.
int RunSettingsWindow(AppState& app, Services& services);

}  // namespace tagsmit
