#pragma once

#include <string>

#include "run/app.h"
#include "run/startup.h"

namespace tagsmit {

// What print mode gives: the text to print, or the failure for standard
// error.
struct Printed {
  StartupOutcome outcome;  // kRunSucceeded, kRunFailed or kBadCommandLine
  // kRunSucceeded: the paste text (with SeveralFiles one line per file,
  // without a line feed after the last); kRunFailed: each failure as the
  // message, a line feed, the file name and a line feed, or empty when a box
  // of LoadSettings has told it already; kBadCommandLine: what is wrong.
  std::string text;
};

// Print mode, for editors and scripts: the run with the stored settings for
// the files that `invocation` names, giving the paste text instead of putting
// it on the clipboard. Shows no box of its own and never beeps for a
// successful run.
Printed PrintRun(AppState& app, Services& services, const Invocation& invocation);

}  // namespace tagsmit
