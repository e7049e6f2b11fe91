#pragma once

#include <string>
#include <vector>

#include "settings/dir_tree.h"
#include "window/window_view.h"

namespace tagsmit {

class DirPicker;

// The controls of the directory picker.
enum class PickerControl { drvListBox, dirListBox, Command1, Command2 };

// What the directory picker's logic needs from its window.
class DirPickerView : public WindowView {
 public:
  // The drive list shows `drives` with `selected` chosen; showing it raises
  // no change event.
  virtual void ShowDrives(const std::vector<std::string>& drives, int selected) = 0;
  // The directory list shows `listing` with its current directory marked.
  virtual void ShowDirectories(const DirListing& listing) = 0;
  // Shows the window modally, forwarding its events to `picker`, until Close.
  virtual void RunModal(DirPicker& picker) = 0;
};

}  // namespace tagsmit
