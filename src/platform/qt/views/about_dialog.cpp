#include "platform/qt/views/about_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "about/about_controls.h"
#include "platform/qt/views/control_widgets.h"
#include "platform/qt/views/qt_text.h"
#include "platform/qt/views/window_look.h"

namespace tagsmit {

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
  using enum AboutControl;
  SetUpFixedWindow(*this, kAboutWindow.client);
  controls_ = BuildControls(*this, kAboutWindow, &form_);
  title_ = static_cast<QLabel*>(WidgetOf(controls_, lblTitle));
  version_ = static_cast<QLabel*>(WidgetOf(controls_, lblVersion));
  description_ = static_cast<QPlainTextEdit*>(WidgetOf(controls_, txtDescription));
  LayOutControls(kAboutWindow, controls_);
}

void AboutDialog::SetStaysOnTop(bool on_top) {
  setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  show();
}

void AboutDialog::Close() {
  done(QDialog::Accepted);
}

void AboutDialog::SetText(AboutText which, const std::string& text) {
  switch (which) {
    case AboutText::Caption:
      setWindowTitle(ToQt(text));
      return;
    case AboutText::lblTitle:
      title_->setText(ToQt(text));
      LayOutControls(kAboutWindow, controls_);
      return;
    case AboutText::lblVersion:
      version_->setText(ToQt(text));
      LayOutControls(kAboutWindow, controls_);
      return;
    case AboutText::txtDescription:
      description_->setPlainText(ToQt(text));
      return;
  }
}

void AboutDialog::RunModal(AboutForm& form) {
  form_ = &form;
  FocusFirstControl(kAboutWindow, controls_);
  exec();
  form_ = nullptr;
}

void AboutDialog::reject() {
  if (form_ != nullptr) kAboutWindow.Raise(kAboutWindow.CancelControl(), *form_);
}

// Clicks on the labels and the picture reach here too; only the bare
// background closes the window.
void AboutDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) {
    if (form_ != nullptr) form_->Form_Click();
    return;
  }
  QDialog::mousePressEvent(event);
}

}  // namespace tagsmit
