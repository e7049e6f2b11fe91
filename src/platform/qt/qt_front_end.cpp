#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QString>

#include "platform/qt/front_end.h"
#include "platform/qt/windows/settings_window_runner.h"

namespace tagsmit {
namespace {

// The one QApplication of the process, made on first use and kept until exit.
void EnsureQApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tagsmit";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // NOLINT: lives as long as the process
}

// Prompts carry "\r\n" line breaks; Qt wants "\n".
QString Text(const std::string& text) {
  return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

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

class QtFrontEndImpl final : public QtFrontEnd {
 public:
  BoxAnswer MessageBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                       const std::string& title) override {
    EnsureQApplication();
    QMessageBox box(QtIcon(icon), Text(title), Text(prompt), QMessageBox::NoButton, BoxOwner());
    // A paste string such as <IMG ...> must show as typed, never as markup.
    box.setTextFormat(Qt::PlainText);
    if (buttons == BoxButtons::YesNo) {
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::No);
    } else {
      box.setStandardButtons(QMessageBox::Ok);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
    return pressed == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
  }

  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override {
    EnsureQApplication();
    bool accepted = false;
    const QString text = QInputDialog::getText(BoxOwner(), Text(title), Text(prompt),
                                               QLineEdit::Normal, Text(default_text), &accepted);
    return accepted ? text.toStdString() : std::string();
  }

  int RunSettingsWindow(AppState& app, Services& services) override {
    EnsureQApplication();
    return ::tagsmit::RunSettingsWindow(app, services);
  }
};

}  // namespace
}  // namespace tagsmit

extern "C" __attribute__((visibility("default"))) tagsmit::QtFrontEnd* tagsmit_qt_front_end() {
  static tagsmit::QtFrontEndImpl front_end;
  return &front_end;
}
