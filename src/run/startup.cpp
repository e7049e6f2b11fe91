#include "run/startup.h"

#include <utility>

#include "run/command_line.h"
#include "run/paste_lines.h"
#include "run/settings_load_save.h"

namespace tagsmit {
namespace {

constexpr const char* kTestTitle = "Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容";
constexpr const char* kClipboardFailed = "クリップボードを使えません。";

// Whether the command line names a file to run on. An empty argument text
// names none; a file name from a split argument list may be empty and still
// name the file.
bool NamesFile(const Invocation& invocation) {
  if (invocation.form == Invocation::Form::kArgumentText) {
    return !invocation.argument.value_or(std::string()).empty();
  }
  return invocation.argument.has_value();
}

// A clipboard that cannot be used stops the run with a box that names why.
StartupOutcome ClipboardFailed(Desktop& desktop, const std::string& reason) {
  desktop.MsgBox(std::string(kClipboardFailed) + "\n" + reason, BoxIcon::Critical, BoxButtons::Ok,
                 desktop.Identity().title);
  return StartupOutcome::kClipboardFailed;
}

}  // namespace

StartupOutcome Startup(AppState& app, Services& services, const Invocation& invocation) {
  SetDefaults(app.options, services.desktop.Identity());
  LoadSettings(app, services);

  // Without a paste string there is nothing to run; LoadSettings has said so.
  if (!NamesFile(invocation) || app.clip_strs.Count() == 0 || services.desktop.IsShiftDown()) {
    return StartupOutcome::kSettingsWindow;
  }
  auto file_names = NamedFiles(invocation, app.options.SeveralFiles != 0);
  if (!file_names) {
    services.desktop.MsgBox(kBadCommandLineMessage, BoxIcon::Critical, BoxButtons::Ok,
                            services.desktop.Identity().title);
    return StartupOutcome::kBadCommandLine;
  }
  return CommandLineRun(app, services, std::move(*file_names));
}

StartupOutcome CommandLineRun(AppState& app, Services& services,
                              std::vector<std::string> file_names) {
  const Options& options = app.options;
  Desktop& desktop = services.desktop;

  const PasteLines lines = MakePasteLines(options, services, std::move(file_names));
  if (!lines.failures.empty()) {
    if (options.NotyfyErr == 1) {
      desktop.MsgBox(FailureReport(lines.failures, kFailuresInABox), BoxIcon::Critical,
                     BoxButtons::Ok, desktop.Identity().title);
    }
    return StartupOutcome::kRunFailed;
  }
  // The paste strings have done their part. Setting the clipboard may leave a
  // copy of this process holding the text, with all this process keeps: a
  // long paste string is not kept there twice more.
  app.clip_strs.Assign({});
  std::string().swap(app.options.CurClipStr);

  if (Status put = desktop.SetClipboardText(lines.text); !put.ok()) {
    return ClipboardFailed(desktop, put.error());
  }
  if (options.Test != 0) {
    // What the clipboard holds now, not our own copy of it.
    const Result<std::string> held = desktop.ClipboardText();
    if (!held.ok()) return ClipboardFailed(desktop, held.error());
    desktop.MsgBox(held.value(), BoxIcon::None, BoxButtons::Ok, kTestTitle);
  }
  desktop.Beep();
  return StartupOutcome::kRunSucceeded;
}

int ExitStatus(StartupOutcome outcome) {
  switch (outcome) {
    case StartupOutcome::kRunSucceeded:
    case StartupOutcome::kSettingsWindow:
      return 0;
    case StartupOutcome::kBadCommandLine:
      return 2;
    case StartupOutcome::kRunFailed:
    case StartupOutcome::kClipboardFailed:
      break;
  }
  return 1;
}

}  // namespace tagsmit
