#pragma once

#include <string>

namespace tagsmit {

// The system's lower-case mapping (LCMapStringEx) of the invariant culture,
// the same for every user, applied to every character of a UTF-8 text;
// characters without a lower case, those beyond U+FFFF among them, stay as
// they are.
std::string Win32LowerCase(const std::string& text);

}  // namespace tagsmit
