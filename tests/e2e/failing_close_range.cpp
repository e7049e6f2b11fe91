// Preloaded into the program by the end-to-end tests: close_range fails with
// the error that TAGSMIT_CLOSE_RANGE_ERROR names, ENOSYS (kernels before 5.9,
// the default) or EPERM (seccomp profiles that predate the call).
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern "C" int close_range(unsigned int, unsigned int, int) noexcept {
  const char* error = std::getenv("TAGSMIT_CLOSE_RANGE_ERROR");
  errno = error && std::strcmp(error, "EPERM") == 0 ? EPERM : ENOSYS;
  return -1;
}
