#include "platform/qt/views/about_dialog.h"

#include <QMouseEvent>

namespace tagsmit {

AboutDialog::AboutDialog(QWidget* owner) : ModalTableDialog(kAboutWindow, owner) {
  LayOut();
}

// Clicks on the labels and the picture reach here too; only the bare
// background closes the window.
void AboutDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) {
    if (logic_ != nullptr) logic_->Form_Click();
    return;
  }
  QDialog::mousePressEvent(event);
}

}  // namespace tagsmit
