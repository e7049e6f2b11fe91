#pragma once

#include <string>

namespace tagsmit {

// A modal dialog with a prompt, a one-line edit field holding `default_text`
// and the buttons OK (Enter) and キャンセル (Esc), owned by the active window.
// The edited text on OK; empty text on Cancel.
std::string ShowInputBox(const std::string& prompt, const std::string& title,
                         const std::string& default_text);

}  // namespace tagsmit
