#pragma once

#include <string>

#include "base/result.h"
#include "run/app.h"

namespace tagsmit {

// The run from a file name to the paste text: size query, reference path,
// lower-casing, expansion of CurClipStr. On failure the message for the user,
// without the file name.
Result<std::string> MakePasteText(const Options& options, Services& services,
                                  const std::string& file_name);

}  // namespace tagsmit
