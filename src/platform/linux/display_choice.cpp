#include "platform/linux/display_choice.h"

namespace tagsmit {

Status DisplayChoice::SetClipboardText(const std::string& text) {
  std::string wayland_failure;
  if (wayland_session_) {
    Status put = wayland_.SetClipboardText(text);
    if (put.ok()) {
      took_text_ = &wayland_;
      return put;
    }
    wayland_failure = put.error() + "; ";
  }
  Status put = x11_.SetClipboardText(text);
  if (!put.ok()) return Status::Failure(wayland_failure + put.error());
  took_text_ = &x11_;
  return put;
}

Result<std::string> DisplayChoice::ClipboardText() {
  if (!took_text_) return Result<std::string>::Failure("Tagsmit has put no text on the clipboard");
  return took_text_->ClipboardText();
}

void DisplayChoice::Beep() {
  if (wayland_session_ && wayland_.RingBell()) return;
  x11_.RingBell();
}

}  // namespace tagsmit
