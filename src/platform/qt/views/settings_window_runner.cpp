#include "platform/qt/views/settings_window_runner.h"

#include <QEventLoop>
#include <QGuiApplication>

#include "platform/qt/views/settings_window.h"
#include "settings/main_form.h"

namespace tagsmit {

int RunSettingsWindow(AppState& app, Services& services) {
  // The window's end is OK or Cancel, not the closing of some message box
  // while the window is briefly off screen.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  SettingsWindow window;
  MainForm form(window, app, services);
  window.Bind(form);
  QEventLoop loop;
  QObject::connect(&window, &QDialog::finished, &loop, &QEventLoop::quit);
  form.Open();
  loop.exec();
  return 0;
}

}  // namespace tagsmit
