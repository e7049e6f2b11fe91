// The Linux program: composes the services and runs start-up, print mode or
// the settings window.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/console_desktop.h"
#include "platform/linux/linux_desktop.h"
#include "platform/linux/lower_case.h"
#include "platform/linux/qt_loader.h"
#include "platform/linux/stdio_streams.h"
#include "platform/posix/posix_file_system.h"
#include "platform/settings_file/settings_file_store.h"
#include "platform/x11/x11_session.h"
#include "run/arguments.h"
#include "run/console_run.h"
#include "run/startup.h"

namespace tagsmit {
namespace {

int ConsoleMode(const Arguments& arguments) {
  PosixFileSystem fs;
  SettingsFileStore store;
  StdioStreams streams;
  ConsoleDesktop desktop(streams, LowerCaseUtf8);
  Services services{fs, desktop, store};
  return ConsoleRun(arguments, services, streams);
}

int DesktopMode(const Invocation& invocation) {
  PosixFileSystem fs;
  SettingsFileStore store;
  x11::Session x11;
  QtLoader qt(x11);
  LinuxDesktop desktop(x11, qt);
  Services services{fs, desktop, store};
  AppState app;

  const StartupResult result = Startup(app, services, invocation);
  switch (result.outcome) {
    case StartupOutcome::kSettingsWindow:
      if (QtFrontEnd* front_end = qt.Get()) return front_end->RunSettingsWindow(app, services);
      std::fprintf(stderr, "tagsmit: %s\n", qt.Error().c_str());
      return 1;
    case StartupOutcome::kClipboardFailed:
      std::fprintf(stderr, "tagsmit: cannot put the text on the clipboard: %s\n",
                   result.error.c_str());
      break;
    case StartupOutcome::kRunSucceeded:
    case StartupOutcome::kRunFailed:
    case StartupOutcome::kBadCommandLine:
      break;
  }
  return ExitStatus(result.outcome);
}

// Started with a standard descriptor closed, the program would give that
// number to the X connection, which the clipboard holder then replaces with
// /dev/null as it detaches. /dev/null takes the free places first.
void KeepStandardDescriptorsTaken() {
  int fd = -1;
  while ((fd = open("/dev/null", O_RDWR)) >= 0 && fd <= STDERR_FILENO) {
  }
  if (fd > STDERR_FILENO) close(fd);
}

}  // namespace
}  // namespace tagsmit

int main(int argc, char** argv) {
  tagsmit::KeepStandardDescriptorsTaken();
  const tagsmit::Arguments arguments =
      tagsmit::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (arguments.mode == tagsmit::Arguments::Mode::kDesktop) {
    return tagsmit::DesktopMode(arguments.invocation);
  }
  return tagsmit::ConsoleMode(arguments);
}
