// The Linux program: composes the services and runs start-up, print mode or
// the settings window.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/arguments.h"
#include "platform/linux/console_desktop.h"
#include "platform/linux/linux_desktop.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/qt_loader.h"
#include "platform/program_identity.h"
#include "platform/settings_file/settings_file_store.h"
#include "platform/x11/x11_session.h"
#include "run/print_run.h"
#include "run/startup.h"

namespace tagsmit {
namespace {

constexpr int kUsageStatus = 2;

int PrintMode(const std::string& file_name) {
  LinuxFileSystem fs;
  SettingsFileStore store;
  ConsoleDesktop desktop;
  Services services{fs, desktop, store};
  AppState app;
  const Result<std::string> printed = PrintRun(app, services, file_name);
  if (!printed.ok()) {
    std::fputs(printed.error().c_str(), stderr);
    return 1;
  }
  std::fwrite(printed.value().data(), 1, printed.value().size(), stdout);
  std::fputc('\n', stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int DesktopMode(const std::optional<std::string>& file_name) {
  LinuxFileSystem fs;
  SettingsFileStore store;
  x11::Session x11;
  QtLoader qt(x11);
  LinuxDesktop desktop(x11, qt);
  Services services{fs, desktop, store};
  AppState app;

  const StartupResult result = Startup(app, services, Invocation::FileName(file_name));
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
  using tagsmit::Arguments;
  const Arguments arguments =
      tagsmit::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  switch (arguments.mode) {
    case Arguments::Mode::kHelp:
      std::fputs(tagsmit::UsageText().c_str(), stdout);
      return 0;
    case Arguments::Mode::kVersion: {
      const tagsmit::ProgramIdentity identity = tagsmit::TagsmitIdentity();
      std::printf("%s %d.%d.%d\n", identity.title.c_str(), identity.major, identity.minor,
                  identity.revision);
      return 0;
    }
    case Arguments::Mode::kUsageError:
      std::fputs("tagsmit: --print needs a FILE\n", stderr);
      std::fputs(tagsmit::UsageText().c_str(), stderr);
      return tagsmit::kUsageStatus;
    case Arguments::Mode::kPrint:
      return tagsmit::PrintMode(*arguments.file);
    case Arguments::Mode::kDesktop:
      break;
  }
  return tagsmit::DesktopMode(arguments.file);
}
