#pragma once

#include <string>

#include "platform/qt/front_end.h"
#include "platform/wayland/wayland_session.h"
#include "platform/x11/x11_session.h"

namespace tagsmit {

// Loads the Qt front end module the first time a window must be shown.
class QtLoader {
 public:
  QtLoader(x11::Session& x11, wayland::Session& wayland) : x11_(x11), wayland_(wayland) {}

  // The front end, or null with Error() saying why (no display, module
  // missing). Tries once.
  QtFrontEnd* Get();
  const std::string& Error() const { return error_; }

 private:
  x11::Session& x11_;
  wayland::Session& wayland_;
  bool tried_ = false;
  QtFrontEnd* front_end_ = nullptr;
  std::string error_;
};

}  // namespace tagsmit
