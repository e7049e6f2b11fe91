#include <QApplication>

#include "platform/qt/front_end.h"
#include "platform/qt/views/boxes.h"
#include "platform/qt/views/settings_window.h"

namespace tagsmit {
namespace {

// The one QApplication of the process, made when the program first asks for
// the front end and kept until exit.
void EnsureQApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tagsmit";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // NOLINT: lives as long as the process
}

class QtFrontEndImpl final : public QtFrontEnd {
 public:
  BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                   const std::string& title) override {
    return ShowMessageBox(prompt, icon, buttons, title);
  }

  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override {
    return ShowInputBox(prompt, title, default_text);
  }

  int RunSettingsWindow(AppState& app, Services& services) override {
    return ::tagsmit::RunSettingsWindow(app, services);
  }
};

}  // namespace
}  // namespace tagsmit

extern "C" __attribute__((visibility("default"))) tagsmit::QtFrontEnd* tagsmit_qt_front_end() {
  tagsmit::EnsureQApplication();
  static tagsmit::QtFrontEndImpl front_end;
  return &front_end;
}
