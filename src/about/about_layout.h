#pragma once

#include "window/twips.h"

namespace tagsmit {

// The About window: client area and its controls, in twips.
inline constexpr TwipsSize kAboutClientArea{5430, 2595};
inline constexpr TwipsRect kAboutIconPlace{240, 240, 540, 540};
inline constexpr TwipsRect kAboutTitlePlace{1050, 240, 2925, 240};
inline constexpr TwipsRect kAboutVersionPlace{1080, 480, 1725, 225};
inline constexpr TwipsRect kAboutDescriptionPlace{1080, 720, 4125, 1347};
inline constexpr TwipsRect kAboutOkPlace{3720, 2160, 1310, 345};

}  // namespace tagsmit
