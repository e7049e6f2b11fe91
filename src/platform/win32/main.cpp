// The Windows program: composes the services and runs start-up, then either
// the command-line run or the settings window.
#include <windows.h>

#include <string>

#include "platform/settings_file/settings_file_store.h"
#include "platform/win32/command_line.h"
#include "platform/win32/views/settings_window_runner.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32_api/utf16.h"
#include "run/startup.h"

namespace tagsmit {
namespace {

constexpr const char* kClipboardFailed = "クリップボードを使えません。";

int Run() {
  // A drive without a disk answers the lookups as missing instead of
  // stopping the program with the system's "insert a disk" box.
  SetErrorMode(SEM_FAILCRITICALERRORS);

  Win32FileSystem fs;
  SettingsFileStore store;
  Win32Desktop desktop;
  Services services{fs, desktop, store};
  AppState app;

  const std::string arguments = Utf8FromUtf16(ArgumentText(GetCommandLineW()));
  const StartupResult result = Startup(app, services, Invocation::ArgumentText(arguments));
  switch (result.outcome) {
    case StartupOutcome::kSettingsWindow:
      return win32::RunSettingsWindow(app, services);
    case StartupOutcome::kClipboardFailed:
      // Windows programs have no standard error to write to: the box names
      // the failure.
      desktop.MsgBox(std::string(kClipboardFailed) + "\n" + result.error, BoxIcon::Critical,
                     BoxButtons::Ok, desktop.Identity().title);
      break;
    case StartupOutcome::kRunSucceeded:
    case StartupOutcome::kRunFailed:
    case StartupOutcome::kBadCommandLine:
      break;
  }
  return ExitStatus(result.outcome);
}

}  // namespace
}  // namespace tagsmit

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return tagsmit::Run();
}
