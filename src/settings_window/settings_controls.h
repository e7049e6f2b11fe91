#pragma once

#include <string_view>
#include <vector>

#include "run/stored_values.h"
#include "settings_window/dir_picker.h"
#include "settings_window/main_form.h"
#include "window/control_spec.h"

namespace tagsmit {

using SettingsControlSpec = ControlSpec<SettingsControl, MainForm>;
using SettingsWindowSpec = WindowSpec<SettingsControl, MainForm>;
using PickerControlSpec = ControlSpec<PickerControl, DirPicker>;
using PickerWindowSpec = WindowSpec<PickerControl, DirPicker>;

// The check box of a stored switch.
struct SwitchBoxControl {
  SettingsControl control;
  const StoredValue* value;
};

// The switches of `schema` that have a check box, in its order.
std::vector<SwitchBoxControl> SwitchBoxes(SettingsSchema schema);

// The check box of the switch stored under `key`; for any other key, an id
// that no control has.
SettingsControl SwitchBoxOf(std::string_view key, SettingsSchema schema = StoredValues());

// Whether a switch's box shows it ticked: as the run reads the switch.
bool ShowsTicked(const StoredValue& value, const Options& options);

// The settings window with a check box for each switch of `schema`: each
// stacked in its frame, the run-time frame and the window growing by one row
// per switch.
SettingsWindowSpec SettingsWindowFor(SettingsSchema schema);

// The settings window of the stored values, and the directory picker.
extern const SettingsWindowSpec kSettingsWindow;
extern const PickerWindowSpec kPickerWindow;

}  // namespace tagsmit
