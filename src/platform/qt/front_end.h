#pragma once

#include <string>

#include "platform/desktop.h"
#include "run/app.h"

namespace tagsmit {

// The Qt front end, built as a module of its own so that a run that shows no
// window never loads Qt. The program loads it on first use and reaches it
// through this interface; the module creates the QApplication when it is
// first asked for its front end, so that Qt starts there.
class QtFrontEnd {
 public:
  virtual BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                           const std::string& title) = 0;
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& default_text) = 0;
  // Shows the settings window until it closes; the process exit status.
  virtual int RunSettingsWindow(AppState& app, Services& services) = 0;

 protected:
  ~QtFrontEnd() = default;
};

// The module's one exported function, which returns its front end.
inline constexpr const char* kQtFrontEndEntry = "tagsmit_qt_front_end";
using QtFrontEndEntry = QtFrontEnd* (*)();

// Where the module sits, relative to the folder of the program.
inline constexpr const char* kQtFrontEndPath = "../lib/tagsmit/tagsmit-qt.so";

}  // namespace tagsmit
