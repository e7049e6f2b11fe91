#pragma once

#include "platform/win32/views/table_window.h"
#include "settings_window/settings_controls.h"

namespace tagsmit::win32 {

// The directory picker on Windows: a drive list, a directory list in which
// opening an entry (double click, Space) moves there, OK and Cancel.
class DirPickerWindow final : public ModalTableWindow<DirPickerView, DirPicker> {
 public:
  explicit DirPickerWindow(HWND owner);

  void ShowDirectories(const DirListing& listing) override;
};

}  // namespace tagsmit::win32
