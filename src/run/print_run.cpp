#include "run/print_run.h"

#include <cstddef>
#include <limits>
#include <utility>

#include "run/command_line.h"
#include "run/paste_lines.h"
#include "run/settings_load_save.h"

namespace tagsmit {

Printed PrintRun(AppState& app, Services& services, const Invocation& invocation) {
  Options& options = app.options;
  SetDefaults(options, services.desktop.Identity());
  LoadSettings(app, services);
  // Without a paste string LoadSettings has said so; there is nothing to print.
  if (app.clip_strs.Count() == 0) return {StartupOutcome::kRunFailed, {}};

  auto file_names = NamedFiles(invocation, options.SeveralFiles != 0);
  if (!file_names) return {StartupOutcome::kBadCommandLine, kBadCommandLineMessage};
  PasteLines lines = MakePasteLines(options, services, std::move(*file_names));
  if (!lines.failures.empty()) {
    // Standard error has room for every one.
    constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();
    return {StartupOutcome::kRunFailed, FailureReport(lines.failures, kAll) + "\n"};
  }
  return {StartupOutcome::kRunSucceeded, std::move(lines.text)};
}

}  // namespace tagsmit
