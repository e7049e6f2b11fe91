#pragma once

#include <span>
#include <vector>

#include "window/control_spec.h"

namespace tagsmit {

// A control as laid out for its font.
struct GrownControl {
  ControlKind kind;
  PixelRect table;  // its place in the table, in pixels
  PixelRect grown;  // the place it grew to (GrowToFit), the table's where it did not grow
  int reach;        // the height its content takes from its top: a label's text
};

// Nothing may run into the controls below it. Each control whose top lies
// under what a control higher in the table reaches, in columns they share,
// starts right under that: a text or list that scrolls keeps its bottom edge
// and gives up height, any other control moves down whole, and pushes in its
// turn. Frames, which hold controls, neither push nor move. Returns the
// places, in the order of `controls`.
std::vector<PixelRect> PushDown(std::span<const GrownControl> controls);

}  // namespace tagsmit
