#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tagsmit {

// The paste-string list with list-box behaviour: index 0 at the top, at most
// one selected entry (-1 when none). Selecting an entry runs the selection
// handler, which the owner uses to keep CurClipStr in step.
class ClipStrList {
 public:
  using SelectionHandler = std::function<void()>;

  void SetSelectionHandler(SelectionHandler handler) { on_select_ = std::move(handler); }

  // Replaces every entry, index 0 at the top; nothing is selected.
  void Assign(std::vector<std::string> entries);
  void InsertAtTop(std::string text);
  void Remove(int index);
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
  const std::vector<std::string>& Entries() const { return entries_; }

  int SelectedIndex() const { return selected_; }
  // Selects `index` and runs the selection handler. An index outside the list
  // selects nothing (and still runs the handler, which then sees empty text).
  void Select(int index);
  // Text of the selected entry, or empty text when none is selected.
  std::string Text() const;

 private:
  std::vector<std::string> entries_;
  int selected_ = -1;
  SelectionHandler on_select_;
};

}  // namespace tagsmit
