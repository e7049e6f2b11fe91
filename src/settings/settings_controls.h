#pragma once

#include <cstdint>

#include "settings/dir_picker.h"
#include "settings/main_form.h"
#include "window/control_spec.h"

namespace tagsmit {

// The switch of the Options that a check box shows when the window opens and
// sets on OK: 1 when ticked, else 0.
struct SwitchBinding {
  std::uint8_t Options::*option = nullptr;
  // The box shows the switch as the run reads it: error reports count only
  // an exact 1, the other switches any value but 0.
  bool on_only_at_one = false;
};

using SettingsControlSpec = ControlSpec<SettingsControl, MainForm, SwitchBinding>;
using SettingsWindowSpec = WindowSpec<SettingsControl, MainForm, SwitchBinding>;
using PickerControlSpec = ControlSpec<PickerControl, DirPicker>;
using PickerWindowSpec = WindowSpec<PickerControl, DirPicker>;

// The settings window and the directory picker, control by control.
extern const SettingsWindowSpec kSettingsWindow;
extern const PickerWindowSpec kPickerWindow;

}  // namespace tagsmit
