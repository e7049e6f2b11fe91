#include "window/first_focus.h"

namespace tagsmit {

int FirstFocus(std::span<const FocusStop> tab_order) {
  const int count = static_cast<int>(tab_order.size());
  for (int first = 0; first < count; ++first) {
    if (!tab_order[first].enabled) continue;
    for (int k = first; k < count && tab_order[k].kind == ControlKind::OptionButton; ++k) {
      if (tab_order[k].enabled && tab_order[k].checked) return k;
    }
    return first;
  }
  return -1;
}

}  // namespace tagsmit
