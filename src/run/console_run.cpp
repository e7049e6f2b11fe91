#include "run/console_run.h"

#include <string>

#include "run/print_run.h"

namespace tagsmit {
namespace {

// Output that could not be written is a failed run, as a tag lost would be.
int WrittenStatus(const Status& written) {
  return ExitStatus(written.ok() ? StartupOutcome::kRunSucceeded : StartupOutcome::kRunFailed);
}

}  // namespace

int ConsoleRun(const Arguments& arguments, Services& services, StandardStreams& streams) {
  const Invocation::Form form = arguments.invocation.form;
  switch (arguments.mode) {
    case Arguments::Mode::kHelp:
      return WrittenStatus(streams.Out(UsageText(form)));
    case Arguments::Mode::kVersion: {
      const ProgramIdentity identity = services.desktop.Identity();
      return WrittenStatus(streams.Out(identity.title + " " + VersionNumber(identity) + "\n"));
    }
    case Arguments::Mode::kUsageError:
      streams.Err(ProgramCommand(form) + ": " + arguments.problem + "\n" + UsageText(form));
      return ExitStatus(StartupOutcome::kBadCommandLine);
    case Arguments::Mode::kPrint:
    case Arguments::Mode::kDesktop:  // the caller's run, never handed here
      break;
  }
  AppState app;
  const Result<std::string> printed = PrintRun(app, services, arguments.file);
  if (!printed.ok()) {
    streams.Err(printed.error());
    return ExitStatus(StartupOutcome::kRunFailed);
  }
  const Status written = streams.Out(printed.value() + "\n");
  if (!written.ok()) {
    streams.Err(ProgramCommand(form) + ": cannot write the text: " + written.error() + "\n");
  }
  return WrittenStatus(written);
}

}  // namespace tagsmit
