#include "platform/qt/views/boxes.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/box_buttons.h"
#include "platform/qt/views/qt_text.h"

namespace tagsmit {
namespace {

QMessageBox::Icon QtIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Critical:
      return QMessageBox::Critical;
    case BoxIcon::Question:
      return QMessageBox::Question;
    case BoxIcon::Exclamation:
      return QMessageBox::Warning;
    case BoxIcon::Information:
      return QMessageBox::Information;
    case BoxIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// Boxes belong to the window the user works in: a window kept on top would
// otherwise cover a box that has no owner.
QWidget* BoxOwner() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) return window;
  }
  return nullptr;
}

}  // namespace

BoxAnswer ShowMessageBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                         const std::string& title) {
  QMessageBox box(QtIcon(icon), ToQt(title), ToQt(prompt), QMessageBox::NoButton, BoxOwner());
  // A paste string such as <IMG ...> must show as typed, never as markup.
  box.setTextFormat(Qt::PlainText);
  if (buttons == BoxButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    // Qt's own captions follow the locale. The "&" of the Japanese ones
    // makes Alt+Y and Alt+N shortcuts, and the box answers Y and N alone too.
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(box_button::kYes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(box_button::kNo));
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QString::fromUtf8(box_button::kOk));
  }
  const int pressed = box.exec();
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  return pressed == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

std::string ShowInputBox(const std::string& prompt, const std::string& title,
                         const std::string& default_text) {
  QDialog box(BoxOwner());
  box.setWindowTitle(ToQt(title));
  // Plain text without a buddy: the "&w" and "&h" the prompt asks for show as
  // typed, not as shortcut underlines.
  auto* label = new QLabel(ToQt(prompt), &box);
  label->setTextFormat(Qt::PlainText);
  auto* edit = new QLineEdit(ToQt(default_text), &box);
  edit->selectAll();
  auto* buttons = new QDialogButtonBox(&box);
  buttons->addButton(QString::fromUtf8(box_button::kOk), QDialogButtonBox::AcceptRole)
      ->setDefault(true);
  buttons->addButton(QString::fromUtf8(box_button::kCancel), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  auto* layout = new QVBoxLayout(&box);
  layout->addWidget(label);
  layout->addWidget(edit);
  layout->addWidget(buttons);
  return box.exec() == QDialog::Accepted ? FromQt(edit->text()) : std::string();
}

}  // namespace tagsmit
