#pragma once

#include <string>

#include "base/result.h"
#include "platform/x11/x11_connection.h"

namespace tagsmit::x11 {

// Asks whoever owns CLIPBOARD for its text as UTF8_STRING, the way any
// pasting client does, and returns what it answers.
Result<std::string> ReadClipboard(Connection& connection);

}  // namespace tagsmit::x11
