#pragma once

#include <QDialog>

#include <vector>

#include "settings/dir_picker.h"
#include "settings/dir_picker_view.h"

class QComboBox;
class QListWidget;

namespace tagsmit {

// The directory picker on Qt: a drive list, a directory list in which
// opening an entry (double click, Space) moves there, OK and Cancel.
class DirPickerDialog final : public QDialog, public DirPickerView {
 public:
  explicit DirPickerDialog(QWidget* owner);

  // DirPickerView.
  void SetStaysOnTop(bool on_top) override;
  void Close() override;
  void ShowDrives(const std::vector<std::string>& drives, int selected) override;
  void ShowDirectories(const DirListing& listing) override;
  void RunModal(DirPicker& picker) override;

  // Esc and the close box are Cancel.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<QWidget*> controls_;
  QComboBox* drives_ = nullptr;
  QListWidget* directories_ = nullptr;
  DirPicker* picker_ = nullptr;
};

}  // namespace tagsmit
