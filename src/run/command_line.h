#pragma once

#include <optional>
#include <string>

namespace tagsmit {

// Narrows the argument text of a command line to the one file name it names:
// the first name in double quotes wherever it stands, otherwise the text up to
// the first blank (tabs are no separators). Nothing when a double quote has
// no partner: the command line is bad.
std::optional<std::string> SplitCommandLine(const std::string& cmd_line);

// What the user is told of a command line that SplitCommandLine finds bad.
inline constexpr char kBadCommandLineMessage[] =
    "コマンドラインが不正です。めったに起らないエラーです。";

}  // namespace tagsmit
