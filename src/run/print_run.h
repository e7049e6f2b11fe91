#pragma once

#include <string>

#include "base/result.h"
#include "run/app.h"

namespace tagsmit {

// Print mode, for editors and scripts: the run with the stored settings for
// `file_name`, giving the paste text instead of putting it on the clipboard.
// Shows no box of its own and never beeps for a successful run. On failure
// the text for standard error: the message, a line feed, the file name and a
// line feed; empty when a box of LoadSettings has told it already.
Result<std::string> PrintRun(AppState& app, Services& services, const std::string& file_name);

}  // namespace tagsmit
