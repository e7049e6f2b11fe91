#include "run/clip_str_list.h"

namespace tagsmit {

void ClipStrList::Assign(std::vector<std::string> entries) {
  entries_ = std::move(entries);
  selected_ = -1;
}

void ClipStrList::InsertAtTop(std::string text) {
  entries_.insert(entries_.begin(), std::move(text));
  if (selected_ >= 0) ++selected_;  // the selected entry moved down one place
}

void ClipStrList::Remove(int index) {
  if (index < 0 || index >= Count()) return;
  entries_.erase(entries_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
}

void ClipStrList::Select(int index) {
  selected_ = index >= 0 && index < Count() ? index : -1;
  if (on_select_) on_select_();
}

std::string ClipStrList::Text() const {
  return selected_ >= 0 ? entries_[selected_] : std::string{};
}

}  // namespace tagsmit
