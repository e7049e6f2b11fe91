#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tagsmit {

// Narrows the argument text of a command line to the one file name it names:
// the first name in double quotes wherever it stands, otherwise the text up to
// the first blank (tabs are no separators). Nothing when a double quote has
// no partner: the command line is bad.
std::optional<std::string> SplitCommandLine(const std::string& cmd_line);

// Every file name in the argument text, as Explorer's drops and Send To write
// several: names apart at blanks (tabs are no separators, as above); a double
// quote opens a stretch that the next one closes, in which blanks belong to
// the name, and the quotes are no part of it. "" is an empty name; a text of
// blanks only names one empty file, as SplitCommandLine reads it. Nothing
// when a double quote has no partner.
std::optional<std::vector<std::string>> SplitFileNames(const std::string& cmd_line);

// What the user is told of a command line that SplitCommandLine finds bad.
inline constexpr char kBadCommandLineMessage[] =
    "コマンドラインが不正です。めったに起らないエラーです。";

}  // namespace tagsmit
