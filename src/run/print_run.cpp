#include "run/print_run.h"

#include "run/paste_text.h"
#include "run/settings_load_save.h"

namespace tagsmit {

Result<std::string> PrintRun(AppState& app, Services& services, const std::string& file_name) {
  Options& options = app.options;
  SetDefaults(options, services.desktop.Identity());
  LoadSettings(app, services);
  // Without a paste string LoadSettings has said so; there is nothing to print.
  if (app.clip_strs.Count() == 0) return Result<std::string>::Failure({});

  Result<std::string> paste_text = MakePasteText(options, services, file_name);
  if (!paste_text.ok()) {
    return Result<std::string>::Failure(paste_text.error() + "\n" + file_name + "\n");
  }
  return paste_text;
}

}  // namespace tagsmit
