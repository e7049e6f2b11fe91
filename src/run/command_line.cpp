#include "run/command_line.h"

#include <utility>

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

std::optional<std::vector<std::string>> SplitFileNames(const std::string& cmd_line) {
  std::vector<std::string> names;
  std::string name;
  bool in_name = false;
  bool quoted = false;
  for (const char c : cmd_line) {
    if (c == '"') {
      quoted = !quoted;
      in_name = true;
    } else if (c == ' ' && !quoted) {
      if (in_name) names.push_back(std::move(name));
      name.clear();
      in_name = false;
    } else {
      name += c;
      in_name = true;
    }
  }
  if (quoted) return std::nullopt;
  if (in_name || names.empty()) names.push_back(std::move(name));
  return names;
}

}  // namespace tagsmit
