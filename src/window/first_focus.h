#pragma once

#include <span>

#include "window/control_spec.h"

namespace tagsmit {

// A control of a window's Tab order as it stands when the window opens.
struct FocusStop {
  ControlKind kind;
  bool enabled;
  bool checked;  // an option button's state
};

// The control a window gives the focus when it opens, where a Windows dialog
// puts it: the first control of the Tab order that is enabled, and where that
// is an option button, the checked one of its group (the option buttons next
// to each other in the Tab order), so that Space never changes the choice.
// An index into `tab_order`; -1 when no control can take the focus.
int FirstFocus(std::span<const FocusStop> tab_order);

}  // namespace tagsmit
