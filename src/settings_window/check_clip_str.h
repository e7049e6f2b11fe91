#pragma once

#include <string>

#include "platform/desktop.h"

namespace tagsmit {

// Turns "&W", "&H" and "&F" into their lower-case forms in place and accepts
// the text when it then holds "&w" and "&h". A refused text is reported.
bool CheckClipStr(std::string& text, Desktop& desktop);

}  // namespace tagsmit
