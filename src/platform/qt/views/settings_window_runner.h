#pragma once

#include "run/app.h"

namespace tagsmit {

// Prepares and shows the settings window over the loaded options and runs it
// until it closes; the process exit status. A QApplication must exist.
int RunSettingsWindow(AppState& app, Services& services);

}  // namespace tagsmit
