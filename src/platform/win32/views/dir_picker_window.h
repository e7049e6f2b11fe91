#pragma once

#include "platform/win32/views/view_window.h"
#include "settings/dir_picker.h"
#include "settings/dir_picker_view.h"

namespace tagsmit::win32 {

// The directory picker on Windows: a drive list, a directory list in which
// opening an entry (double click, Space) moves there, OK and Cancel.
class DirPickerWindow final : public DirPickerView {
 public:
  explicit DirPickerWindow(HWND owner);

  HWND Handle() const { return window_.Handle(); }
  HWND Control(PickerControl control) const;

  // DirPickerView.
  void SetStaysOnTop(bool on_top) override;
  void Close() override;
  void ShowDrives(const std::vector<std::string>& drives, int selected) override;
  void ShowDirectories(const DirListing& listing) override;
  void RunModal(DirPicker& picker) override;

 private:
  ViewWindow window_;
  DirPicker* picker_ = nullptr;
};

}  // namespace tagsmit::win32
