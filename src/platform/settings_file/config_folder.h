#pragma once

#include <filesystem>

#include "base/result.h"

namespace tagsmit {

// The per-user folder that holds one settings folder per application.
Result<std::filesystem::path> UserConfigFolder();

}  // namespace tagsmit
