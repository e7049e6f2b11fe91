#pragma once

#include <optional>
#include <string>

#include "platform/linux/display_choice.h"
#include "platform/linux/display_loss_guard.h"
#include "platform/qt/front_end.h"
#include "platform/x11/x11_session.h"

namespace tagsmit {

// Loads the Qt front end module, which starts Qt, the first time a window must
// be shown. An X display that goes away from then on ends the process with
// exit status 1 and a message (DisplayLossGuard), never with Qt's abort or a
// crash.
class QtLoader {
 public:
  QtLoader(x11::Session& x11, DisplayChoice& displays) : x11_(x11), displays_(displays) {}

  // The front end, or null with Error() saying why (no display, module
  // missing). Tries once. Ends the process when the X display of the run has
  // gone.
  QtFrontEnd* Get();
  const std::string& Error() const { return error_; }

 private:
  // Connects to the X display anew and guards Qt's start with that
  // connection; ends the process when it cannot connect.
  void WatchDisplay();

  x11::Session& x11_;
  DisplayChoice& displays_;
  std::optional<DisplayLossGuard> guard_;
  bool tried_ = false;
  QtFrontEnd* front_end_ = nullptr;
  std::string error_;
};

}  // namespace tagsmit
