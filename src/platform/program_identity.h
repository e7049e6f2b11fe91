#pragma once

#include "platform/desktop.h"

namespace tagsmit {

// Title and version of the program, from the build (TAGSMIT_VERSION_*).
inline ProgramIdentity TagsmitIdentity() {
  return {"Tagsmit", TAGSMIT_VERSION_MAJOR, TAGSMIT_VERSION_MINOR, TAGSMIT_VERSION_PATCH};
}

}  // namespace tagsmit
