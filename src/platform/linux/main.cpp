// The Linux program: composes the services and runs start-up, print mode or
// the settings window.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/console_desktop.h"
#include "platform/linux/display_choice.h"
#include "platform/linux/linux_desktop.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_lower_case.h"
#include "platform/linux/qt_loader.h"
#include "platform/linux/stdio_streams.h"
#include "platform/linux/wayland_loader.h"
#include "platform/settings_file/settings_file_store.h"
#include "platform/x11/x11_session.h"
#include "run/arguments.h"
#include "run/console_run.h"
#include "run/startup.h"

namespace tagsmit {
namespace {

int ConsoleMode(const Arguments& arguments) {
  LinuxFileSystem fs;
  SettingsFileStore store;
  StdioStreams streams;
  ConsoleDesktop desktop(streams, LinuxLowerCase);
  Services services{fs, desktop, store};
  return ConsoleRun(arguments, services, streams);
}

int DesktopMode(const Invocation& invocation) {
  LinuxFileSystem fs;
  SettingsFileStore store;
  x11::Session x11;
  WaylandLoader wayland;
  DisplayChoice displays(std::getenv("WAYLAND_DISPLAY"), wayland, x11);
  QtLoader qt(x11, displays);
  LinuxDesktop desktop(displays, x11, qt);
  Services services{fs, desktop, store};
  AppState app;

  const StartupOutcome outcome = Startup(app, services, invocation);
  if (outcome == StartupOutcome::kSettingsWindow) {
    if (QtFrontEnd* front_end = qt.Get()) return front_end->RunSettingsWindow(app, services);
    std::fprintf(stderr, "tagsmit: %s\n", qt.Error().c_str());
    return 1;
  }
  return ExitStatus(outcome);
}

// Started with a standard descriptor closed, the program would give that
// number to the X connection, which the clipboard holder then replaces with
// /dev/null as it detaches. /dev/null takes the free places first, opened for
// reading only: a write there fails as on the closed descriptor, so that print
// mode never reports text written to nowhere as printed.
void KeepStandardDescriptorsTaken() {
  int fd = -1;
  while ((fd = open("/dev/null", O_RDONLY)) >= 0 && fd <= STDERR_FILENO) {
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
