#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "window/control_spec.h"

namespace tagsmit::testing {

// What every window table must hold for a front end to build the window from
// it: each control once; Tab reaches every control that takes the focus, each
// once, and nothing else; one default and one cancel button; an event exactly
// where there is a handler.
template <typename Control, typename Logic>
void ExpectCompleteWindow(const WindowSpec<Control, Logic>& spec, int control_count) {
  ASSERT_EQ(static_cast<int>(spec.controls.size()), control_count);
  std::set<int> ids;
  std::set<std::string> names;
  int defaults = 0, cancels = 0;
  for (const auto& control : spec.controls) {
    ids.insert(static_cast<int>(control.control));
    names.insert(control.look.name);
    defaults += control.keys.is_default;
    cancels += control.keys.is_cancel;
    EXPECT_EQ(control.event != ControlEvent::None, control.handler != nullptr) << control.look.name;
    const ControlKind kind = control.look.kind;
    const bool takes_focus =
        kind != ControlKind::Label && kind != ControlKind::Frame && kind != ControlKind::Picture;
    const auto order = spec.TabOrder();
    EXPECT_EQ(std::count(order.begin(), order.end(), control.control), takes_focus ? 1 : 0)
        << control.look.name;
    EXPECT_GT(control.look.place.width, 0) << control.look.name;
  }
  EXPECT_EQ(static_cast<int>(ids.size()), control_count);
  EXPECT_EQ(static_cast<int>(names.size()), control_count);
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(cancels, 1);
  std::set<int> tab_indices;
  for (const auto& control : spec.controls) {
    if (control.tab_index != kNoTabStop) tab_indices.insert(control.tab_index);
  }
  EXPECT_EQ(tab_indices.size(), spec.TabOrder().size()) << "tab indices repeat";
}

}  // namespace tagsmit::testing
