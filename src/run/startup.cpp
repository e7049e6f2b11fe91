#include "run/startup.h"

#include "run/command_line.h"
#include "run/paste_text.h"
#include "run/settings.h"

namespace tagsmit {
namespace {

constexpr const char* kTestTitle = "Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容";
constexpr const char* kClipboardFailed = "クリップボードを使えません。";

// Whether start-up goes on to the run (Shift aside). LoadSettings empties
// CmdLine when there is no paste string; for an argument text that alone
// decides. A file name from a split argument list may be empty and still
// name the file, so there the list itself is asked.
bool WantsRun(const AppState& app, const Invocation& invocation) {
  if (invocation.form == Invocation::Form::kArgumentText) return !app.options.CmdLine.empty();
  return invocation.argument.has_value() && app.clip_strs.Count() > 0;
}

// A clipboard that cannot be used stops the run with a box that names why.
StartupResult ClipboardFailed(Desktop& desktop, const std::string& reason) {
  desktop.MsgBox(std::string(kClipboardFailed) + "\n" + reason, BoxIcon::Critical, BoxButtons::Ok,
                 desktop.Identity().title);
  return {StartupOutcome::kClipboardFailed};
}

}  // namespace

StartupResult Startup(AppState& app, Services& services, const Invocation& invocation) {
  Options& options = app.options;
  options.CmdLine = invocation.argument.value_or(std::string());
  SetDefaults(options, services.desktop.Identity());
  LoadSettings(app, services);

  if (!WantsRun(app, invocation) || services.desktop.IsShiftDown()) {
    return {StartupOutcome::kSettingsWindow};
  }
  if (invocation.form == Invocation::Form::kArgumentText) {
    auto file_name = SplitCommandLine(options.CmdLine);
    if (!file_name) {
      services.desktop.MsgBox(kBadCommandLineMessage, BoxIcon::Critical, BoxButtons::Ok,
                              services.desktop.Identity().title);
      return {StartupOutcome::kBadCommandLine};
    }
    options.CmdLine = std::move(*file_name);
  }
  return CommandLineRun(app, services);
}

StartupResult CommandLineRun(AppState& app, Services& services) {
  const Options& options = app.options;
  Desktop& desktop = services.desktop;

  const Result<std::string> paste_text = MakePasteText(options, services, options.CmdLine);
  if (!paste_text.ok()) {
    if (options.NotyfyErr == 1) {
      desktop.MsgBox(paste_text.error() + "\n" + options.CmdLine, BoxIcon::Critical, BoxButtons::Ok,
                     desktop.Identity().title);
    }
    return {StartupOutcome::kRunFailed};
  }
  // The paste strings have done their part. Setting the clipboard may leave a
  // copy of this process holding the text, with all this process keeps: a
  // long paste string is not kept there twice more.
  app.clip_strs.Assign({});
  std::string().swap(app.options.CurClipStr);

  if (Status put = desktop.SetClipboardText(paste_text.value()); !put.ok()) {
    return ClipboardFailed(desktop, put.error());
  }
  if (options.Test != 0) {
    // What the clipboard holds now, not our own copy of it.
    const Result<std::string> held = desktop.ClipboardText();
    if (!held.ok()) return ClipboardFailed(desktop, held.error());
    desktop.MsgBox(held.value(), BoxIcon::None, BoxButtons::Ok, kTestTitle);
  }
  desktop.Beep();
  return {StartupOutcome::kRunSucceeded};
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
