#include "platform/linux/arguments.h"

namespace tagsmit {

Arguments ParseArguments(const std::vector<std::string>& args) {
  if (args.empty()) return {};
  const std::string& first = args[0];
  if (first == "--help") return {Arguments::Mode::kHelp, {}};
  if (first == "--version") return {Arguments::Mode::kVersion, {}};
  if (first == "--print") {
    if (args.size() < 2) return {Arguments::Mode::kUsageError, {}};
    return {Arguments::Mode::kPrint, args[1]};
  }
  return {Arguments::Mode::kDesktop, first};
}

std::string UsageText() {
  return "Usage: tagsmit [FILE]\n"
         "       tagsmit --print FILE\n"
         "Puts an HTML tag with the width and height of the GIF or JPEG image FILE\n"
         "on the clipboard, as the settings say. Without FILE, or with Shift held,\n"
         "opens the settings window.\n"
         "\n"
         "  --print FILE  write the tag to standard output instead; no display needed\n"
         "  --help        show this help and exit\n"
         "  --version     show the version and exit\n"
         "\n"
         "Only the first argument is read. Name a file called --print as ./--print.\n"
         "Exit status: 0 success, 1 failed run, 2 bad command line.\n";
}

}  // namespace tagsmit
