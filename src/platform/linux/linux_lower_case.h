#pragma once

#include <string>

namespace tagsmit {

// The platform's lower-case mapping (towlower) applied to every character of
// a UTF-8 text. Bytes that are not valid UTF-8 pass unchanged. On first use
// it makes the user's character classes (LC_CTYPE) the process's, so that
// letters beyond ASCII are known; where the user's locale is missing or knows
// no UTF-8, it falls back to C.UTF-8. Runs that never lower-case never pay
// for loading the locale.
std::string LinuxLowerCase(const std::string& text);

}  // namespace tagsmit
