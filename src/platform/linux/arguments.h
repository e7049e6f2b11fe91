#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tagsmit {

// What the command line asks for. The shell has split it already: the first
// argument is the file name whatever it holds, except for the three options
// below, which count only as the first argument.
struct Arguments {
  enum class Mode {
    kDesktop,     // the run for `file`, or the settings window without one
    kPrint,       // --print FILE
    kHelp,        // --help
    kVersion,     // --version
    kUsageError,  // --print without FILE
  };
  Mode mode = Mode::kDesktop;
  std::optional<std::string> file;
};

// `args` without the program's own name.
Arguments ParseArguments(const std::vector<std::string>& args);

// The text of --help.
std::string UsageText();

}  // namespace tagsmit
