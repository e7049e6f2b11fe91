#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "settings/main_form.h"
#include "settings/settings_view.h"

class QComboBox;
class QLineEdit;

namespace tagsmit {

// The settings window on Qt, built from its table. It shows what the logic
// sets and forwards the user's actions to the MainForm handlers the table
// names; it decides nothing itself. A
// dialog, so that Enter presses OK and Esc presses Cancel.
class SettingsWindow final : public QDialog, public SettingsView {
 public:
  SettingsWindow();

  // Events go to `form` from now on.
  void Bind(MainForm& form) { form_ = &form; }

  // The control's widget, found by its name.
  QWidget* Control(SettingsControl control) const;

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

  // Esc and the close box are Cancel.
  void reject() override;

 private:
  QLineEdit* LineEdit(SettingsControl control) const;

  std::vector<QWidget*> controls_;
  QComboBox* clip_strs_ = nullptr;
  MainForm* form_ = nullptr;
};

}  // namespace tagsmit
