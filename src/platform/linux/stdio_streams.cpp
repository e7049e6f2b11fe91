#include "platform/linux/stdio_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tagsmit {

Status StdioStreams::Out(std::string_view text) {
  // Flushed at once: a full disk or a closed pipe shows here, not at exit.
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) {
    return Status::Ok();
  }
  return Status::Failure(std::strerror(errno));
}

void StdioStreams::Err(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace tagsmit
