#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tagsmit {

// What the process was started with, in the form the platform hands it over.
struct Invocation {
  enum class Form {
    // One argument text, quotes and blanks as typed (Windows); the run
    // narrows it to the file names and may find it bad.
    kArgumentText,
    // The arguments already split by the shell (Linux): the first one is the
    // file name whatever it holds, and an empty one is an empty file name.
    kFileName,
  };

  static Invocation ArgumentText(std::string text) {
    return {Form::kArgumentText, std::move(text), {}};
  }
  static Invocation FileName(std::optional<std::string> name) {
    return {Form::kFileName, std::move(name), {}};
  }
  // Every argument of the shell's list: the first one and those after it.
  static Invocation FileNames(std::vector<std::string> names);

  Form form = Form::kArgumentText;
  std::optional<std::string> argument;  // nothing: started without one
  std::vector<std::string> further;     // kFileName: the arguments after the first
};

// The files that a run reads, in the order the command line names them: with
// `several` every one, otherwise the one file of the one-file rule (for the
// argument text, SplitCommandLine). Nothing when the argument text is bad.
// Only for an invocation that has an argument.
std::optional<std::vector<std::string>> NamedFiles(const Invocation& invocation, bool several);

}  // namespace tagsmit
