#pragma once

#include "platform/standard_streams.h"
#include "run/app.h"
#include "run/arguments.h"

namespace tagsmit {

// The runs that write instead of showing windows: --help, --version, a bad
// command line and --print FILE... (`arguments` of any mode but kDesktop). Gives
// the exit status: 0, 1 for a failed run or output that could not be
// written, 2 for a bad command line. `services.desktop` is the one of print
// mode, whose boxes go to standard error.
int ConsoleRun(const Arguments& arguments, Services& services, StandardStreams& streams);

}  // namespace tagsmit
