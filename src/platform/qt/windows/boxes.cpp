#include "platform/qt/windows/boxes.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/windows/qt_text.h"

namespace tagsmit {
namespace {

// Qt's own captions follow the locale; the boxes keep the Japanese of the
// rest of the interface.
constexpr const char* kYes = "はい";
constexpr const char* kNo = "いいえ";
constexpr const char* kOk = "OK";

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
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(kYes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(kNo));
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QString::fromUtf8(kOk));
  }
  const int pressed = box.exec();
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  return pressed == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

std::string ShowInputBox(const std::string& prompt, const std::string& title,
                         const std::string& default_text) {
  bool accepted = false;
  const QString text = QInputDialog::getText(BoxOwner(), ToQt(title), ToQt(prompt),
                                             QLineEdit::Normal, ToQt(default_text), &accepted);
  return accepted ? FromQt(text) : std::string();
}

}  // namespace tagsmit
