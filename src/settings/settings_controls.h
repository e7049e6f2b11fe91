#pragma once

#include "settings/dir_picker.h"
#include "settings/main_form.h"
#include "window/control_spec.h"

namespace tagsmit {

using SettingsControlSpec = ControlSpec<SettingsControl, MainForm>;
using SettingsWindowSpec = WindowSpec<SettingsControl, MainForm>;
using PickerControlSpec = ControlSpec<PickerControl, DirPicker>;
using PickerWindowSpec = WindowSpec<PickerControl, DirPicker>;

// The settings window and the directory picker, control by control.
extern const SettingsWindowSpec kSettingsWindow;
extern const PickerWindowSpec kPickerWindow;

}  // namespace tagsmit
