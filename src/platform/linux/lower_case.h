#pragma once

#include <string>

namespace tagsmit {

// Makes the user's character classes (LC_CTYPE) the process's, so that lower-
// casing knows letters beyond ASCII. Where the user's locale is missing or
// knows no UTF-8, falls back to C.UTF-8.
void UseUserCharacterClasses();

// The platform's lower-case mapping (towlower) applied to every character of
// a UTF-8 text. Bytes that are not valid UTF-8 pass unchanged.
std::string LowerCaseUtf8(const std::string& text);

}  // namespace tagsmit
