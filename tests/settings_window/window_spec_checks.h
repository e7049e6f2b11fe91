#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "window/control_spec.h"

namespace tagsmit::testing {

// What a front end needs to build a window from its table: each control once
// under its own name, inside the client area; one default and one cancel
// button; an event where there is a handler, and only there.
template <typename Control, typename Logic>
void ExpectCompleteWindow(const WindowSpec<Control, Logic>& spec, int control_count) {
  std::set<int> ids;
  std::set<std::string> names;
  int defaults = 0, cancels = 0;
  for (const auto& control : spec.controls) {
    ids.insert(static_cast<int>(control.control));
    names.insert(control.look.name);
    defaults += control.keys.is_default;
    cancels += control.keys.is_cancel;
    EXPECT_EQ(control.event != ControlEvent::None, control.handler != nullptr) << control.look.name;
    const TwipsRect& place = control.look.place;
    EXPECT_TRUE(place.left >= 0 && place.top >= 0 &&
                place.left + place.width <= spec.client.width &&
                place.top + place.height <= spec.client.height)
        << control.look.name;
  }
  EXPECT_EQ(static_cast<int>(spec.controls.size()), control_count);
  EXPECT_EQ(static_cast<int>(ids.size()), control_count);
  EXPECT_EQ(static_cast<int>(names.size()), control_count);
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(cancels, 1);
}

}  // namespace tagsmit::testing
