#pragma once

#include "settings/settings_view.h"

namespace tagsmit {

// A place in twips (1/1440 inch) within a window's client area.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ControlSpec {
  SettingsControl control;
  const char* caption;  // "" when the control shows none
  const char* tooltip;  // "" when the control has none
  TwipsRect place;
};

inline constexpr int kSettingsClientWidthTwips = 6555;
inline constexpr int kSettingsClientHeightTwips = 3510;

const ControlSpec& SettingsControlSpec(SettingsControl control);

// The directory picker: client area and its four controls.
inline constexpr int kPickerClientWidthTwips = 3855;
inline constexpr int kPickerClientHeightTwips = 2805;
inline constexpr TwipsRect kPickerDriveListPlace{120, 120, 2415, 300};
inline constexpr TwipsRect kPickerDirListPlace{120, 480, 2415, 2190};
inline constexpr TwipsRect kPickerOkPlace{2640, 480, 1095, 375};
inline constexpr TwipsRect kPickerCancelPlace{2640, 960, 1095, 375};

}  // namespace tagsmit
