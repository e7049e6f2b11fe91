#pragma once

#include <string>
#include <vector>

#include "settings_window/dir_tree.h"
#include "window/control_view.h"

namespace tagsmit {

class DirPicker;

// The controls of the directory picker.
enum class PickerControl { drvListBox, dirListBox, Command1, Command2 };

// What the directory picker's logic needs from its window.
class DirPickerView : public ModalView<PickerControl, DirPicker> {
 public:
  // The directory list shows `listing` with its current directory marked.
  virtual void ShowDirectories(const DirListing& listing) = 0;
};

}  // namespace tagsmit
