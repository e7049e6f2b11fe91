#include "settings_window/dir_picker.h"

#include <algorithm>

#include "path/directory_path.h"
#include "settings_window/settings_texts.h"

namespace tagsmit {

DirPicker::DirPicker(DirPickerView& view, SettingsView& owner, Options& options, Services& services)
    : view_(view), owner_(owner), options_(options), services_(services) {}

void DirPicker::Open() {
  Form_Load();
  const PathStyle style = services_.fs.Style();
  const bool drive_set = SetDrive(DriveOf(style, drives_, options_.BasePath));
  const bool path_set = SetPath(options_.BasePath);
  if (!drive_set || !path_set) {
    const std::string current = services_.fs.CurrentDirectory();
    SetDrive(DriveOf(style, drives_, current));
    SetPath(current);
  }
  ClearTopMost(owner_);
  view_.RunModal(*this);
}

void DirPicker::Form_Load() {
  drives_ = services_.fs.Drives();
  const std::string current = services_.fs.CurrentDirectory();
  SetPath(current);
  if (!SetDrive(DriveOf(services_.fs.Style(), drives_, current))) ShowDrive();
}

void DirPicker::drvListBox_Change(int index) {
  if (index < 0 || index >= static_cast<int>(drives_.size())) return;
  const std::string chosen = drives_[static_cast<size_t>(index)];
  if (SetDrive(chosen)) return;
  // Back to the drive that was in use, so the picker stays usable.
  ShowDrive();
  services_.desktop.MsgBox(std::string{settings_text::kDriveUnreadable} + "\n" + chosen,
                           BoxIcon::Exclamation, BoxButtons::Ok,
                           services_.desktop.Identity().title);
}

void DirPicker::dirListBox_Open(int index) {
  if (index < 0 || index >= static_cast<int>(listing_.entries.size())) return;
  // A directory removed since it was listed: the list is read again instead.
  if (!SetPath(listing_.entries[static_cast<size_t>(index)].path)) SetPath(path_);
}

void DirPicker::Command1_Click() {
  owner_.SetText(SettingsControl::txtBasePath, path_);
  options_.BasePath = path_;
  view_.Close();
  SetTopMost(owner_);
}

void DirPicker::Command2_Click() {
  view_.Close();
  SetTopMost(owner_);
}

bool DirPicker::SetDrive(const std::string& drive) {
  if (drive.empty() || std::find(drives_.begin(), drives_.end(), drive) == drives_.end()) {
    return false;
  }
  const std::string root = DriveRoot(services_.fs.Style(), drive);
  if (root.empty() || !services_.fs.IsDirectory(root)) return false;
  drive_ = drive;
  ShowDrive();
  if (!SetPath(CurrentDirectoryOf(drive))) SetPath(root);
  return true;
}

bool DirPicker::SetPath(const std::string& path) {
  const std::string normalized = NormalizeDirectory(services_.fs.Style(), path);
  if (normalized.empty() || !services_.fs.IsDirectory(normalized)) return false;
  path_ = normalized;
  listing_ = ListDirectory(services_.fs, path_);
  view_.ShowDirectories(listing_);
  return true;
}

// There is one current directory per process; on its own drive a drive change
// goes there, on every other drive to the drive's root.
std::string DirPicker::CurrentDirectoryOf(const std::string& drive) {
  const PathStyle style = services_.fs.Style();
  const std::string current = services_.fs.CurrentDirectory();
  return DriveOf(style, drives_, current) == drive ? current : DriveRoot(style, drive);
}

void DirPicker::ShowDrive() {
  const auto found = std::find(drives_.begin(), drives_.end(), drive_);
  view_.ShowEntries(PickerControl::drvListBox, drives_,
                    found == drives_.end() ? -1 : static_cast<int>(found - drives_.begin()));
}

}  // namespace tagsmit
