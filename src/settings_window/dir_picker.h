#pragma once

#include <string>
#include <vector>

#include "run/app.h"
#include "settings_window/dir_picker_view.h"
#include "settings_window/settings_view.h"

namespace tagsmit {

// frmDir: picks the base directory from a drive list and a directory list.
// Its state is that of the two lists: the drive and the opened directory.
class DirPicker {
 public:
  DirPicker(DirPickerView& view, SettingsView& owner, Options& options, Services& services);

  // The opening by the settings window's browse button: load, move both lists
  // to BasePath (to the current directory, silently, when that fails), take
  // the settings window out of the topmost band and run modally.
  void Open();

  void Form_Load();
  // The user chose the drive at `index` of the drive list.
  void drvListBox_Change(int index);
  // The user opened (double click, Space) the entry at `index` of the listing.
  void dirListBox_Open(int index);
  void Command1_Click();  // OK
  void Command2_Click();  // Cancel, Esc or the close box

  const std::string& Drive() const { return drive_; }
  const std::string& Path() const { return path_; }

 private:
  // Each fails (false, nothing changed) for a drive or directory that does not
  // exist or cannot be read. Setting the drive moves the directory list to
  // that drive's current directory.
  bool SetDrive(const std::string& drive);
  bool SetPath(const std::string& path);
  std::string CurrentDirectoryOf(const std::string& drive);
  void ShowDrive();

  DirPickerView& view_;
  SettingsView& owner_;
  Options& options_;
  Services& services_;
  std::vector<std::string> drives_;
  std::string drive_;
  std::string path_;
  DirListing listing_;
};

}  // namespace tagsmit
