#pragma once

#include "run/app.h"

namespace tagsmit::win32 {

// Prepares and shows the settings window for the loaded `app` and runs it
// until OK or Cancel ends it; the process's exit status.
int RunSettingsWindow(AppState& app, Services& services);

}  // namespace tagsmit::win32
