#pragma once

#include <optional>
#include <string>
#include <utility>

#include "run/app.h"

namespace tagsmit {

// What the process was started with, in the form the platform hands it over.
struct Invocation {
  enum class Form {
    // One argument text, quotes and blanks as typed (Windows); the run
    // narrows it to the file name and may find it bad.
    kArgumentText,
    // The arguments already split by the shell (Linux): the first one is the
    // file name whatever it holds, and an empty one is an empty file name.
    kFileName,
  };

  static Invocation ArgumentText(std::string text) {
    return {Form::kArgumentText, std::move(text)};
  }
  static Invocation FileName(std::optional<std::string> name) {
    return {Form::kFileName, std::move(name)};
  }

  Form form = Form::kArgumentText;
  std::optional<std::string> argument;  // nothing: started without one
};

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

// The command-line run for one file name.
StartupOutcome CommandLineRun(AppState& app, Services& services, const std::string& file_name);

// Process exit status of an outcome other than kSettingsWindow: 0 success,
// 1 failed run, 2 bad command line.
int ExitStatus(StartupOutcome outcome);

}  // namespace tagsmit
