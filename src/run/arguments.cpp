#include "run/arguments.h"

#include <optional>
#include <utility>

#include "run/command_line.h"

namespace tagsmit {
namespace {

constexpr char kNeedsFile[] = "--print needs a FILE";

// The options that take nothing after them.
std::optional<Arguments::Mode> PlainOption(const std::string& word) {
  if (word == "--help") return Arguments::Mode::kHelp;
  if (word == "--version") return Arguments::Mode::kVersion;
  return std::nullopt;
}

Arguments UsageError(Invocation::Form form, std::string problem) {
  return {Arguments::Mode::kUsageError, {form, {}, {}}, std::move(problem)};
}

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& args) {
  constexpr Invocation::Form kForm = Invocation::Form::kFileName;
  if (args.empty()) return {Arguments::Mode::kDesktop, Invocation::FileName(std::nullopt), {}};
  const std::string& first = args[0];
  if (auto mode = PlainOption(first)) return {*mode, {kForm, {}, {}}, {}};
  if (first == "--print") {
    if (args.size() < 2) return UsageError(kForm, kNeedsFile);
    return {Arguments::Mode::kPrint, Invocation::FileNames({args.begin() + 1, args.end()}), {}};
  }
  return {Arguments::Mode::kDesktop, Invocation::FileNames(args), {}};
}

Arguments ParseArgumentText(const std::string& text) {
  constexpr Invocation::Form kForm = Invocation::Form::kArgumentText;
  const std::size_t blank = text.find(' ');
  const std::string first = text.substr(0, blank);
  if (auto mode = PlainOption(first)) return {*mode, {kForm, {}, {}}, {}};
  if (first == "--print") {
    const std::size_t name = text.find_first_not_of(' ', blank);
    if (name == std::string::npos) return UsageError(kForm, kNeedsFile);
    std::string files = text.substr(name);
    if (!SplitCommandLine(files)) return UsageError(kForm, kBadCommandLineMessage);
    return {Arguments::Mode::kPrint, Invocation::ArgumentText(std::move(files)), {}};
  }
  return {Arguments::Mode::kDesktop, Invocation::ArgumentText(text), {}};
}

std::string ProgramCommand(Invocation::Form form) {
  return form == Invocation::Form::kFileName ? "tagsmit" : "Tagsmit.exe";
}

std::string UsageText(Invocation::Form form) {
  const std::string program = ProgramCommand(form);
  const std::string which_files =
      form == Invocation::Form::kFileName
          ? "Only the first argument is read, unless the switch 複数のファイルを読む\n"
            "(several files) is on: then every FILE gives its tag, one a line, in the\n"
            "natural order of the names (img2 before img10); if any FILE cannot be\n"
            "read, no tag is given and each such FILE is named. Name a file called\n"
            "--print as ./--print.\n"
          : "One FILE is read: the first name in double quotes, else the text up to the\n"
            "first blank; unless the switch 複数のファイルを読む (several files) is on:\n"
            "then every FILE (separated by blanks, quoted when it holds blanks) gives\n"
            "its tag, one a line, in the natural order of the names (img2 before\n"
            "img10); if any FILE cannot be read, no tag is given and each such FILE is\n"
            "named. Name a file called --print as .\\--print.\n";
  return "Usage: " + program + " [FILE]...\n" + "       " + program + " --print FILE...\n" +
         "Puts an HTML tag with the width and height of the GIF or JPEG image FILE\n"
         "on the clipboard, as the settings say. Without FILE, or with Shift held,\n"
         "opens the settings window.\n"
         "\n"
         "  --print FILE  write the tag to standard output instead; no display needed\n"
         "  --help        show this help and exit\n"
         "  --version     show the version and exit\n"
         "\n" +
         which_files + "Exit status: 0 success, 1 failed run, 2 bad command line.\n";
}

}  // namespace tagsmit
