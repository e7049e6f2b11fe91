#pragma once

#include "run/app.h"
#include "run/stored_values.h"
#include "settings_window/settings_view.h"

namespace tagsmit {

// mainForm as the settings window: its opening and event handlers. The
// paste-string list itself lives in AppState; the view mirrors it.
class MainForm {
 public:
  // The window shows and saves the stored values of `schema`.
  MainForm(SettingsView& view, AppState& app, Services& services,
           SettingsSchema schema = StoredValues());

  // Places the window, fills the controls from the Options, puts the window on
  // top and shows it without blocking.
  void Open();

  void btnOk_Click();
  void btnCancel_Click();
  void btnRef_Click();
  void btnVer_Click();
  void optFixed_Click();
  void optRelative_Click();
  // The user picked the entry at `index`; selecting it runs the list's
  // selection handler, which makes it CurClipStr.
  void cmbClipStr_Click(int index);

  // Editing of the paste-string list.
  void btnAdd_Click();
  void btnDel_Click();
  void btnDefault_Click();

 private:
  void ShowClipStrs();
  void Tell(const std::string& prompt, BoxIcon icon);
  bool Ask(const std::string& question);

  SettingsView& view_;
  AppState& app_;
  Services& services_;
  SettingsSchema schema_;
};

}  // namespace tagsmit
