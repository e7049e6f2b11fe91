#include "platform/wayland/clipboard_formats.h"

#include <algorithm>

#include "base/utf8.h"

namespace tagsmit::wayland {

std::optional<std::string_view> ClipboardText::As(std::string_view mime_type) {
  if (mime_type == "STRING") {
    if (!latin1_) latin1_ = Latin1FromUtf8(utf8_);
    return *latin1_;
  }
  const bool offered = std::find(kOfferedMimeTypes.begin(), kOfferedMimeTypes.end(), mime_type) !=
                       kOfferedMimeTypes.end();
  if (!offered) return std::nullopt;
  return utf8_;
}

const char* TextMimeTypeAmong(const std::vector<std::string>& offered) {
  // UTF-8 by name first; plain text without a charset is UTF-8 in practice.
  static constexpr const char* kPreferred[] = {"text/plain;charset=utf-8", "UTF8_STRING",
                                               "text/plain", "TEXT"};
  for (const char* type : kPreferred) {
    if (std::find(offered.begin(), offered.end(), type) != offered.end()) return type;
  }
  return nullptr;
}

}  // namespace tagsmit::wayland
