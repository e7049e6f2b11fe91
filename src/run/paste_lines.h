#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "run/app.h"

namespace tagsmit {

// A file that gave no paste text, and the message that says why.
struct FileFailure {
  std::string file_name;  // as the command line spelled it
  std::string reason;
};

// What a run makes of the files it reads.
struct PasteLines {
  // Each file's paste text in natural order of the names, with a line feed
  // between two and none after the last; its size is the sum of its parts.
  // Not made further once a file has failed: nothing of it is used then.
  std::string text;
  std::vector<FileFailure> failures;  // in the same order
};

// Reads every file of `file_names` (MakePasteText for each), all of them even
// after a failure, so that each failure can be named.
PasteLines MakePasteLines(const Options& options, Services& services,
                          std::vector<std::string> file_names);

// How many failures a box names, each on two lines: one more line counts the
// rest, so that no drop makes a box taller than the screen.
inline constexpr std::size_t kFailuresInABox = 10;

// The failures as the user is told them: each as the one-file run tells its
// own (the message, a line feed, the file name), a line feed between two;
// beyond the first `shown`, one line that counts the others.
std::string FailureReport(const std::vector<FileFailure>& failures, std::size_t shown);

}  // namespace tagsmit
