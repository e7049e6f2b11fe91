#include "platform/win32/command_line.h"

namespace tagsmit {

std::wstring_view ArgumentText(std::wstring_view command_line) {
  bool quoted = false;
  std::size_t end = 0;
  for (; end < command_line.size(); ++end) {
    const wchar_t c = command_line[end];
    if (c == L'"') {
      quoted = !quoted;
    } else if (!quoted && (c == L' ' || c == L'\t')) {
      break;
    }
  }
  const std::size_t arguments = command_line.find_first_not_of(L" \t", end);
  return arguments == command_line.npos ? std::wstring_view() : command_line.substr(arguments);
}

}  // namespace tagsmit
