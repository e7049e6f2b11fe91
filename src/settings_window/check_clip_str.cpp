#include "settings_window/check_clip_str.h"

#include "run/clip_str.h"
#include "settings_window/settings_texts.h"

namespace tagsmit {

bool CheckClipStr(std::string& text, Desktop& desktop) {
  bool width_seen = text.find("&w") != std::string::npos;
  bool height_seen = text.find("&h") != std::string::npos;
  if (ReplaceAll(text, "&W", "&w") > 0) width_seen = true;
  if (ReplaceAll(text, "&H", "&h") > 0) height_seen = true;
  ReplaceAll(text, "&F", "&f");
  if (width_seen && height_seen) return true;
  desktop.MsgBox(settings_text::kCheckMessage, BoxIcon::Exclamation, BoxButtons::Ok,
                 settings_text::kCheckTitle);
  return false;
}

}  // namespace tagsmit
