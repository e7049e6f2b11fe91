#pragma once

#include <string>
#include <vector>

#include "run/invocation.h"

namespace tagsmit {

// What the command line asks for. The three options count only where the
// first argument stands; anything else there is the file of the desktop run.
struct Arguments {
  enum class Mode {
    kDesktop,     // the run for `invocation`, or the settings window without a file
    kPrint,       // --print FILE...
    kHelp,        // --help
    kVersion,     // --version
    kUsageError,  // --print without a file name that can be read
  };
  Mode mode = Mode::kDesktop;
  // kDesktop: what start-up takes; kPrint: the same for what follows --print.
  // Its form also tells which program's command line this was.
  Invocation invocation;
  std::string problem;  // kUsageError: what is wrong, for standard error
};

// The Linux program's arguments as the shell split them, without the
// program's own name: the first one is the file name whatever it holds.
Arguments ParseArguments(const std::vector<std::string>& args);

// Tagsmit.exe's argument text (the command line after the program's own
// name), one text as Windows hands it over. An option is its first word, up
// to the first blank. The text after --print must name a file by the run's
// own rule (SplitCommandLine), so a name in double quotes may hold blanks;
// the run narrows it, as start-up narrows the whole text of the desktop run.
Arguments ParseArgumentText(const std::string& text);

// The command by which the user starts the program of that command-line form.
std::string ProgramCommand(Invocation::Form form);

// The text of --help for the program of that command-line form.
std::string UsageText(Invocation::Form form);

}  // namespace tagsmit
