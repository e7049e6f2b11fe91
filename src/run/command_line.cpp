#include "run/command_line.h"

namespace tagsmit {

std::optional<std::string> SplitCommandLine(const std::string& cmd_line) {
  const auto open = cmd_line.find('"');
  if (open != std::string::npos) {
    const auto close = cmd_line.find('"', open + 1);
    if (close == std::string::npos) return std::nullopt;
    return cmd_line.substr(open + 1, close - open - 1);
  }
  return cmd_line.substr(0, cmd_line.find(' '));
}

}  // namespace tagsmit
