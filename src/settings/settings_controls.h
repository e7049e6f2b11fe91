#pragma once

#include "settings/settings_view.h"
#include "window/twips.h"

namespace tagsmit {

struct ControlSpec {
  SettingsControl control;
  const char* name;     // the control's name, as the logic's handlers use it
  const char* caption;  // "" when the control shows none
  const char* tooltip;  // "" when the control has none
  TwipsRect place;
};

inline constexpr TwipsSize kSettingsClientArea{6555, 3510};

const ControlSpec& SettingsControlSpec(SettingsControl control);

// The directory picker: client area and its four controls.
inline constexpr TwipsSize kPickerClientArea{3855, 2805};
inline constexpr TwipsRect kPickerDriveListPlace{120, 120, 2415, 300};
inline constexpr TwipsRect kPickerDirListPlace{120, 480, 2415, 2190};
inline constexpr TwipsRect kPickerOkPlace{2640, 480, 1095, 375};
inline constexpr TwipsRect kPickerCancelPlace{2640, 960, 1095, 375};

}  // namespace tagsmit
