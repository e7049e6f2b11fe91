#pragma once

#include <string>

#include "base/result.h"

namespace tagsmit {

// The Windows clipboard as plain text (CF_UNICODETEXT). Another program may
// hold the clipboard open for a moment, so opening it is retried for about a
// second before the operation fails.

// Clears every format and puts `text`.
Status PutClipboardText(const std::string& text);
// The plain text the clipboard holds.
Result<std::string> GetClipboardText();

}  // namespace tagsmit
