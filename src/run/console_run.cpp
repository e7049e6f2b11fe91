#include "run/console_run.h"

#include <string>

#include "run/print_run.h"

namespace tagsmit {
namespace {

// Output that could not be written is a failed run, as a tag lost would be.
int WrittenStatus(const Status& written) {
  return ExitStatus(written.ok() ? StartupOutcome::kRunSucceeded : StartupOutcome::kRunFailed);
}

int UsageError(Invocation::Form form, const std::string& problem, StandardStreams& streams) {
  streams.Err(ProgramCommand(form) + ": " + problem + "\n" + UsageText(form));
  return ExitStatus(StartupOutcome::kBadCommandLine);
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
      return UsageError(form, arguments.problem, streams);
    case Arguments::Mode::kPrint:
    case Arguments::Mode::kDesktop:  // the caller's run, never handed here
      break;
  }
  AppState app;
  const Printed printed = PrintRun(app, services, arguments.invocation);
  if (printed.outcome == StartupOutcome::kBadCommandLine) {
    return UsageError(form, printed.text, streams);
  }
  if (printed.outcome != StartupOutcome::kRunSucceeded) {
    streams.Err(printed.text);
    return ExitStatus(printed.outcome);
  }
  const Status written = streams.Out(printed.text + "\n");
  if (!written.ok()) {
    streams.Err(ProgramCommand(form) + ": cannot write the text: " + written.error() + "\n");
  }
  return WrittenStatus(written);
}

}  // namespace tagsmit
