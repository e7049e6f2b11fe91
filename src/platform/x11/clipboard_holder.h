#pragma once

#include <string>

#include "platform/result.h"

namespace tagsmit::x11 {

// Puts `text` on the CLIPBOARD through a holder process, which owns the
// selection and answers for it after this process has ended, until another
// client takes it. Returns once the holder owns the selection, or names why
// it could not. Call from a single-threaded process: the holder is forked.
Status StartClipboardHolder(const std::string& text);

}  // namespace tagsmit::x11
