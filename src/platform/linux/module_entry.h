#pragma once

#include "base/result.h"

namespace tagsmit {

// Opens the module at `path` (relative to the program's folder, as installed
// and as in the build tree) and returns its exported function `entry`, or
// names why not.
Result<void*> LoadModuleEntry(const char* path, const char* entry);

}  // namespace tagsmit
