#pragma once

#include <string>
#include <vector>

#include "run/app.h"
#include "run/invocation.h"

namespace tagsmit {

enum class StartupOutcome {
  kRunSucceeded,
  kRunFailed,        // reported by a box only when NotyfyErr is 1
  kBadCommandLine,   // reported by a box always
  kClipboardFailed,  // reported by a box that names the failure
  kSettingsWindow,   // the platform opens the settings window next
};

// The start-up sequence: SetDefaults, LoadSettings, then, from the command
// line, the paste-string list and the Shift key, either the command-line run
// or the settings window. The run never writes the store.
StartupOutcome Startup(AppState& app, Services& services, const Invocation& invocation);

// The command-line run for the files named: one file, or with SeveralFiles
// every file of the command line, whose texts go on the clipboard as one.
StartupOutcome CommandLineRun(AppState& app, Services& services,
                              std::vector<std::string> file_names);

// Process exit status of an outcome other than kSettingsWindow: 0 success,
// 1 failed run, 2 bad command line.
int ExitStatus(StartupOutcome outcome);

}  // namespace tagsmit
