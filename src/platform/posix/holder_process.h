#pragma once

#include <functional>
#include <utility>

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

// Our end of a line to a holder that waits for one word from us before it
// serves. Dropping it without a word, or our process ending, lets the holder
// begin too.
class HolderLine {
 public:
  explicit HolderLine(int fd) : fd_(fd) {}
  HolderLine(HolderLine&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  HolderLine& operator=(HolderLine&&) = delete;
  ~HolderLine();

  // Sends `word` and lets the holder begin; false when the holder is gone.
  bool Send(char word);

 private:
  int fd_;
};

// As StartHolderProcess, but the holder waits before it serves: `serve` gets
// the word sent on the line, or 0 when the line closed without one.
Result<HolderLine> StartHolderAfterWord(int keep_fd, const std::function<void(char word)>& serve);

}  // namespace tagsmit
