#pragma once

#include <string_view>

#include "base/result.h"

namespace tagsmit {

// Standard output and standard error, for runs started from a console, an
// editor or a script. Texts are UTF-8 with "\n" line breaks; each platform
// writes them in its own form.
class StandardStreams {
 public:
  virtual ~StandardStreams() = default;

  // Fails when the text could not be written whole (a closed pipe, a full disk).
  virtual Status Out(std::string_view text) = 0;
  // Best effort: there is nowhere left to report a failure.
  virtual void Err(std::string_view text) = 0;
};

}  // namespace tagsmit
