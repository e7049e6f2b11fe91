#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "window/control_spec.h"

namespace tagsmit::testing {

// What a front end needs to build a window from its table: each control once
// under its own name; Tab reaches exactly the controls that take the focus,
// each once; one default and one cancel button; an event where there is a
// handler, and only there.
template <typename Control, typename Logic>
void ExpectCompleteWindow(const WindowSpec<Control, Logic>& spec, int control_count) {
  const auto order = spec.TabOrder();
  std::set<int> ids, tab_indices;
  std::set<std::string> names;
  int defaults = 0, cancels = 0;
  for (const auto& control : spec.controls) {
    ids.insert(static_cast<int>(control.control));
    names.insert(control.look.name);
    if (control.tab_index != kNoTabStop) tab_indices.insert(control.tab_index);
    defaults += control.keys.is_default;
    cancels += control.keys.is_cancel;
    EXPECT_EQ(control.event != ControlEvent::None, control.handler != nullptr) << control.look.name;
    const ControlKind kind = control.look.kind;
    const bool takes_focus =
        kind != ControlKind::Label && kind != ControlKind::Frame && kind != ControlKind::Picture;
    EXPECT_EQ(std::count(order.begin(), order.end(), control.control), takes_focus ? 1 : 0)
        << control.look.name;
  }
  EXPECT_EQ(static_cast<int>(spec.controls.size()), control_count);
  EXPECT_EQ(static_cast<int>(ids.size()), control_count);
  EXPECT_EQ(static_cast<int>(names.size()), control_count);
  EXPECT_EQ(tab_indices.size(), order.size());
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(cancels, 1);
}

}  // namespace tagsmit::testing
