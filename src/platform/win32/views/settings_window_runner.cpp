#include "platform/win32/views/settings_window_runner.h"

#include "platform/win32/views/settings_window.h"
#include "settings/main_form.h"

namespace tagsmit::win32 {

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
