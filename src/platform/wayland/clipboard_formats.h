#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagsmit::wayland {

// The MIME types the clipboard holder offers the text as: the Wayland names
// first, then the X11 target names that Xwayland passes on as they are.
inline constexpr std::array<const char*, 5> kOfferedMimeTypes = {
    "text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT", "STRING"};

// The clipboard text in each form a reader may ask for. The UTF-8 form is
// the caller's text itself, which must outlive this object; the Latin-1 form
// is made on the first request for it.
class ClipboardText {
 public:
  explicit ClipboardText(std::string_view utf8) : utf8_(utf8) {}

  // The bytes a reader of `mime_type` gets: STRING is ISO 8859-1, as the X11
  // target of that name; every other offered type is UTF-8. None for a type
  // that is not offered.
  std::optional<std::string_view> As(std::string_view mime_type);

 private:
  std::string_view utf8_;
  std::optional<std::string> latin1_;
};

// Which of `offered` to ask for to read text back as UTF-8; null when none
// of them is text Tagsmit reads.
const char* TextMimeTypeAmong(const std::vector<std::string>& offered);

}  // namespace tagsmit::wayland
