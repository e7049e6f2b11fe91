#pragma once

#include <optional>
#include <string>

#include "platform/linux/display_choice.h"
#include "platform/linux/display_loss_guard.h"
#include "platform/qt/front_end.h"
#include "platform/x11/x11_session.h"

namespace tagsmit {

// Loads the Qt front end module, which starts Qt, the first time a window must
// be shown, on the display chosen here: Qt is told to take X when the
// Wayland compositor does not answer. An X display that goes away from then
// on ends the process with exit status 1 and a message (DisplayLossGuard),
// never with Qt's abort or a crash.
class QtLoader {
 public:
  QtLoader(x11::Session& x11, DisplayChoice& displays) : x11_(x11), displays_(displays) {}

  // The front end, or null with Error() saying why (no display, module
  // missing). Tries once.
  QtFrontEnd* Get();
  const std::string& Error() const { return error_; }
  // Whether the X display that the run reached has gone since.
  bool DisplayLost() const { return display_lost_; }
  // The text of the box about to show (empty once it has closed), told on
  // standard error if the display goes while Qt starts or shows it.
  void Showing(const std::string& box_text);

 private:
  // Connects to the X display anew and guards Qt's start with that
  // connection; false when it cannot connect.
  bool WatchDisplay();

  x11::Session& x11_;
  DisplayChoice& displays_;
  std::optional<DisplayLossGuard> guard_;
  bool tried_ = false;
  bool display_lost_ = false;
  std::string box_text_;
  QtFrontEnd* front_end_ = nullptr;
  std::string error_;
};

}  // namespace tagsmit
