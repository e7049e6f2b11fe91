#pragma once

#include <string>

#include "platform/desktop.h"

namespace tagsmit {

// The modal message and input boxes on Qt: Japanese buttons whatever the
// locale, owned by the window the user works in. A QApplication must exist.
BoxAnswer ShowMessageBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                         const std::string& title);
// The edited text, or the empty text on Cancel.
std::string ShowInputBox(const std::string& prompt, const std::string& title,
                         const std::string& default_text);

}  // namespace tagsmit
