#pragma once

#include <string>
#include <vector>

#include "window/window_view.h"

namespace tagsmit {

// A window built from its table as its logic sees it: any control reached by
// its id, whichever window it belongs to.
template <typename ControlId>
class ControlView : public WindowView {
 public:
  using Control = ControlId;

  virtual void SetCaption(const std::string& caption) = 0;
  // Check boxes and option buttons.
  virtual void SetChecked(Control control, bool checked) = 0;
  virtual bool IsChecked(Control control) = 0;
  // Text boxes and labels.
  virtual void SetText(Control control, const std::string& text) = 0;
  virtual std::string Text(Control control) = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  virtual void Focus(Control control) = 0;
  virtual void SelectAllText(Control control) = 0;
  // A drop-down list shows `entries`, index 0 at the top, with `selected`
  // chosen (-1: none); showing them raises no event.
  virtual void ShowEntries(Control control, const std::vector<std::string>& entries,
                           int selected) = 0;
};

// A child window that runs modally: shown until Close, its events going to
// `logic` meanwhile.
template <typename ControlId, typename Logic>
class ModalView : public ControlView<ControlId> {
 public:
  virtual void RunModal(Logic& logic) = 0;
};

}  // namespace tagsmit
