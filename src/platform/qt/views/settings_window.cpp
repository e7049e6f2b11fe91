#include "platform/qt/views/settings_window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "platform/qt/views/about_dialog.h"
#include "platform/qt/views/dir_picker_dialog.h"
#include "settings_window/settings_texts.h"

namespace tagsmit {

SettingsWindow::SettingsWindow() : TableDialog(kSettingsWindow, nullptr, Qt::WindowSystemMenuHint) {
  setWindowTitle(QString::fromUtf8(settings_text::kWindowCaption));
  setWindowIcon(ApplicationIcon());
  // With a buddy the label reads "&&" as one ampersand, as the caption means,
  // and the layout measures it as it reads.
  static_cast<QLabel*>(Control(SettingsControl::Label1))
      ->setBuddy(Control(SettingsControl::cmbClipStr));
  LayOut();
}

Extent SettingsWindow::ScreenSize() {
  const QSize size = screen()->geometry().size();
  return {size.width(), size.height()};
}

Extent SettingsWindow::WindowSize() {
  return {frameGeometry().width(), frameGeometry().height()};
}

void SettingsWindow::MoveTo(int left, int top) {
  move(left, top);
}

void SettingsWindow::Show() {
  FocusFirst();
  show();
}

std::unique_ptr<DirPickerView> SettingsWindow::CreateDirPickerView() {
  return std::make_unique<DirPickerDialog>(this);
}

std::unique_ptr<AboutView> SettingsWindow::CreateAboutView() {
  return std::make_unique<AboutDialog>(this);
}

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
