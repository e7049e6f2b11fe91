#pragma once

#include <functional>

#include "base/result.h"

namespace tagsmit {

// Starts the process that keeps serving the clipboard after this one has
// ended. It forks; the child detaches (new session, working directory "/",
// standard descriptors on /dev/null, every other descriptor but `keep_fd`
// closed), runs `serve` and exits without running the parent's destructors.
// Returns once the child has detached, so a caller may end our process group
// as soon as we return; or names why no child could start. Call from a
// single-threaded process.
Status StartHolderProcess(int keep_fd, const std::function<void()>& serve);

}  // namespace tagsmit
