#include "run/invocation.h"

#include <iterator>

#include "run/command_line.h"

namespace tagsmit {

Invocation Invocation::FileNames(std::vector<std::string> names) {
  if (names.empty()) return FileName(std::nullopt);
  Invocation invocation = FileName(std::move(names.front()));
  invocation.further.assign(std::make_move_iterator(names.begin() + 1),
                            std::make_move_iterator(names.end()));
  return invocation;
}

std::optional<std::vector<std::string>> NamedFiles(const Invocation& invocation, bool several) {
  const std::string& argument = *invocation.argument;
  if (invocation.form == Invocation::Form::kFileName) {
    std::vector<std::string> names{argument};
    if (several) names.insert(names.end(), invocation.further.begin(), invocation.further.end());
    return names;
  }
  if (several) return SplitFileNames(argument);
  std::optional<std::string> name = SplitCommandLine(argument);
  if (!name) return std::nullopt;
  return std::vector<std::string>{std::move(*name)};
}

}  // namespace tagsmit
