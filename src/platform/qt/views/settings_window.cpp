#include "platform/qt/views/settings_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>

#include "platform/qt/views/about_dialog.h"
#include "platform/qt/views/control_widgets.h"
#include "platform/qt/views/dir_picker_dialog.h"
#include "platform/qt/views/qt_text.h"
#include "platform/qt/views/window_look.h"
#include "settings/settings_controls.h"
#include "settings/settings_texts.h"

namespace tagsmit {

using enum SettingsControl;

SettingsWindow::SettingsWindow() {
  setWindowTitle(QString::fromUtf8(settings_text::kWindowCaption));
  setWindowIcon(ApplicationIcon());
  SetUpFixedWindow(*this, kSettingsWindow.client, Qt::WindowSystemMenuHint);
  controls_ = BuildControls(*this, kSettingsWindow, &form_);
  clip_strs_ = static_cast<QComboBox*>(Control(cmbClipStr));
  // With a buddy the label reads "&&" as one ampersand, as the caption means,
  // and the layout measures it as it reads.
  static_cast<QLabel*>(Control(Label1))->setBuddy(clip_strs_);
  LayOutControls(kSettingsWindow, controls_);
}

QWidget* SettingsWindow::Control(SettingsControl control) const {
  return WidgetOf(controls_, control);
}

QLineEdit* SettingsWindow::LineEdit(SettingsControl control) const {
  return qobject_cast<QLineEdit*>(Control(control));
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
  FocusFirstControl(kSettingsWindow, controls_);
  show();
}

void SettingsWindow::SetStaysOnTop(bool on_top) {
  // Told to the window system directly: setting the widget's flags would
  // hide and re-create a window that is already on screen.
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlags(flags);
  show();
}

void SettingsWindow::Close() {
  done(QDialog::Rejected);
}

void SettingsWindow::reject() {
  if (form_ != nullptr) kSettingsWindow.Raise(kSettingsWindow.CancelControl(), *form_);
}

void SettingsWindow::SetChecked(SettingsControl control, bool checked) {
  auto* button = static_cast<QAbstractButton*>(Control(control));
  // An option button of a group cannot be cleared directly; the logic sets
  // its partner right after.
  const bool exclusive = button->autoExclusive();
  if (!checked) button->setAutoExclusive(false);
  button->setChecked(checked);
  button->setAutoExclusive(exclusive);
}

bool SettingsWindow::IsChecked(SettingsControl control) {
  return static_cast<QAbstractButton*>(Control(control))->isChecked();
}

void SettingsWindow::SetText(SettingsControl control, const std::string& text) {
  LineEdit(control)->setText(ToQt(text));
}

std::string SettingsWindow::Text(SettingsControl control) {
  return FromQt(LineEdit(control)->text());
}

void SettingsWindow::SetEnabled(SettingsControl control, bool enabled) {
  Control(control)->setEnabled(enabled);
}

void SettingsWindow::Focus(SettingsControl control) {
  Control(control)->setFocus();
}

void SettingsWindow::SelectAllText(SettingsControl control) {
  LineEdit(control)->selectAll();
}

void SettingsWindow::ShowClipStrs(const std::vector<std::string>& entries, int selected) {
  const QSignalBlocker quiet(clip_strs_);
  clip_strs_->clear();
  for (const auto& entry : entries) clip_strs_->addItem(QString::fromUtf8(entry));
  clip_strs_->setCurrentIndex(selected);
}

std::unique_ptr<DirPickerView> SettingsWindow::CreateDirPickerView() {
  return std::make_unique<DirPickerDialog>(this);
}

std::unique_ptr<AboutView> SettingsWindow::CreateAboutView() {
  return std::make_unique<AboutDialog>(this);
}

}  // namespace tagsmit
