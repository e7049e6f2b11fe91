// The Windows program: composes the services and runs start-up, then either
// the command-line run or the settings window; or print mode, --help and
// --version, which write to standard output.
#include <windows.h>

#include <string>

#include "platform/console_desktop.h"
#include "platform/settings_file/settings_file_store.h"
#include "platform/win32/command_line.h"
#include "platform/win32/views/settings_window.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_lower_case.h"
#include "platform/win32/win32_standard_streams.h"
#include "platform/win32_api/utf16.h"
#include "run/arguments.h"
#include "run/console_run.h"
#include "run/startup.h"

namespace tagsmit {
namespace {

int ConsoleMode(const Arguments& arguments) {
  Win32FileSystem fs;
  SettingsFileStore store;
  Win32StandardStreams streams;
  ConsoleDesktop desktop(streams, Win32LowerCase);
  Services services{fs, desktop, store};
  return ConsoleRun(arguments, services, streams);
}

int DesktopMode(const Invocation& invocation) {
  Win32FileSystem fs;
  SettingsFileStore store;
  Win32Desktop desktop;
  Services services{fs, desktop, store};
  AppState app;

  const StartupOutcome outcome = Startup(app, services, invocation);
  if (outcome == StartupOutcome::kSettingsWindow) {
    return win32::RunSettingsWindow(app, services);
  }
  return ExitStatus(outcome);
}

int Run() {
  // A drive without a disk answers the lookups as missing instead of
  // stopping the program with the system's "insert a disk" box.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  const Arguments arguments = ParseArgumentText(Utf8FromUtf16(ArgumentText(GetCommandLineW())));
  if (arguments.mode == Arguments::Mode::kDesktop) return DesktopMode(arguments.invocation);
  return ConsoleMode(arguments);
}

}  // namespace
}  // namespace tagsmit

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return tagsmit::Run();
}
