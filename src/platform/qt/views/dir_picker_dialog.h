#pragma once

#include "platform/qt/views/table_dialog.h"
#include "settings_window/settings_controls.h"

class QListWidget;

namespace tagsmit {

// The directory picker on Qt: a drive list, a directory list in which
// opening an entry (double click, Space) moves there, OK and Cancel.
class DirPickerDialog final : public ModalTableDialog<DirPickerView, DirPicker> {
 public:
  explicit DirPickerDialog(QWidget* owner);

  void ShowDirectories(const DirListing& listing) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* directories_ = nullptr;
};

}  // namespace tagsmit
