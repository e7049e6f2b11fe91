#include "window/push_down.h"

#include <algorithm>
#include <numeric>

namespace tagsmit {
namespace {

bool ShareColumns(const PixelRect& a, const PixelRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width;
}

// Scrolling controls show less of what they hold when they shrink; the rest
// would lose their text.
bool Scrolls(ControlKind kind) {
  return kind == ControlKind::ReadOnlyText || kind == ControlKind::DirectoryList;
}

}  // namespace

std::vector<PixelRect> PushDown(std::span<const GrownControl> controls) {
  std::vector<PixelRect> places;
  for (const GrownControl& control : controls) places.push_back(control.grown);
  // From the top down, so that a control pushed down pushes in its turn.
  std::vector<std::size_t> order(controls.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].table.top < controls[b].table.top;
  });
  for (std::size_t at = 0; at < order.size(); ++at) {
    const GrownControl& control = controls[order[at]];
    if (control.kind == ControlKind::Frame) continue;
    PixelRect& place = places[order[at]];
    int top = place.top;
    for (std::size_t above = 0; above < at; ++above) {
      const GrownControl& other = controls[order[above]];
      const PixelRect& other_place = places[order[above]];
      if (other.kind != ControlKind::Frame && other.table.top < control.table.top &&
          ShareColumns(other_place, place)) {
        top = std::max(top, other_place.top + std::min(other.reach, other_place.height));
      }
    }
    if (top == place.top) continue;
    const int bottom = place.top + place.height;
    if (Scrolls(control.kind) && top < bottom) place.height = bottom - top;
    place.top = top;
  }
  return places;
}

}  // namespace tagsmit
