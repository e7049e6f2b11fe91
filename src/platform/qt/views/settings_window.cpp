#include "platform/qt/views/settings_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

#include "platform/qt/views/about_dialog.h"
#include "platform/qt/views/dir_picker_dialog.h"
#include "platform/qt/views/qt_text.h"
#include "platform/qt/views/window_look.h"
#include "settings/settings_controls.h"
#include "settings/settings_texts.h"

namespace tagsmit {
namespace {

using enum SettingsControl;

QWidget* MakeControl(SettingsControl control, QWidget* parent) {
  const ControlSpec& spec = SettingsControlSpec(control);
  const QString caption = QString::fromUtf8(spec.caption);
  switch (control) {
    case optRelative:
    case optFixed:
      return new QRadioButton(caption, parent);
    case pathFrame:
    case runFrame: {
      // The caption sits on the frame's top line, leaving the inside to the
      // controls placed there.
      auto* frame = new QGroupBox(caption, parent);
      frame->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.6em; }"
          "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
      return frame;
    }
    case txtFixedPath:
    case txtBasePath: {
      auto* edit = new QLineEdit(parent);
      edit->setFont(FixedFont());
      return edit;
    }
    case chkLower:
    case chkNotify:
    case chkTest:
      return new QCheckBox(caption, parent);
    case btnDel:
    case btnAdd: {
      auto* button = new QToolButton(parent);
      button->setText(caption);
      return button;
    }
    case btnVer: {
      // The picture stands for the bold question mark, which stays the
      // button's text for screen readers and tests.
      auto* button = new QToolButton(parent);
      button->setText(caption);
      QFont bold = button->font();
      bold.setBold(true);
      button->setFont(bold);
      button->setIcon(VersionButtonIcon());
      button->setToolButtonStyle(Qt::ToolButtonIconOnly);
      return button;
    }
    case cmbClipStr: {
      auto* list = new QComboBox(parent);
      list->setEditable(false);
      list->setFont(FixedFont());
      return list;
    }
    case Label1:
      return new QLabel(caption, parent);
    case btnRef:
    case btnCancel:
    case btnOk:
    case btnDefault:
      break;
  }
  return new QPushButton(caption, parent);
}

}  // namespace

SettingsWindow::SettingsWindow() {
  setWindowTitle(QString::fromUtf8(settings_text::kWindowCaption));
  setWindowIcon(ApplicationIcon());
  SetUpFixedWindow(*this, kSettingsClientArea, Qt::WindowSystemMenuHint);
  CreateControls();
  ConnectEvents();
}

void SettingsWindow::CreateControls() {
  for (int index = 0; index < kSettingsControlCount; ++index) {
    const auto control = static_cast<SettingsControl>(index);
    const ControlSpec& spec = SettingsControlSpec(control);
    QWidget* widget = MakeControl(control, this);
    widget->setObjectName(QString::fromUtf8(spec.name));
    widget->setGeometry(PlaceInPixels(*this, spec.place));
    if (*spec.tooltip != '\0') widget->setToolTip(QString::fromUtf8(spec.tooltip));
    controls_[static_cast<size_t>(index)] = widget;
  }
  // The frames lie behind the controls they group.
  Control(pathFrame)->lower();
  Control(runFrame)->lower();

  clip_strs_ = static_cast<QComboBox*>(Control(cmbClipStr));
  // With a buddy the label reads "&&" as one ampersand, as the caption means.
  static_cast<QLabel*>(Control(Label1))->setBuddy(clip_strs_);
  static_cast<QPushButton*>(Control(btnOk))->setDefault(true);

  QWidget* previous = nullptr;
  for (QWidget* widget : controls_) {
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

void SettingsWindow::ConnectEvents() {
  for (SettingsControl control :
       {optRelative, optFixed, btnRef, btnDel, btnAdd, btnVer, btnCancel, btnOk, btnDefault}) {
    connect(static_cast<QAbstractButton*>(Control(control)), &QAbstractButton::clicked, this,
            [this, control] { Clicked(control); });
  }
  connect(clip_strs_, &QComboBox::activated, this, [this](int index) {
    if (form_ != nullptr) form_->cmbClipStr_Click(index);
  });
}

void SettingsWindow::Clicked(SettingsControl control) {
  if (form_ == nullptr) return;
  switch (control) {
    case optRelative:
      return form_->optRelative_Click();
    case optFixed:
      return form_->optFixed_Click();
    case btnRef:
      return form_->btnRef_Click();
    case btnDel:
      return form_->btnDel_Click();
    case btnAdd:
      return form_->btnAdd_Click();
    case btnVer:
      return form_->btnVer_Click();
    case btnCancel:
      return form_->btnCancel_Click();
    case btnOk:
      return form_->btnOk_Click();
    case btnDefault:
      return form_->btnDefault_Click();
    default:
      return;
  }
}

QWidget* SettingsWindow::Control(SettingsControl control) const {
  return controls_[static_cast<size_t>(control)];
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
  if (form_ != nullptr) form_->btnCancel_Click();
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
