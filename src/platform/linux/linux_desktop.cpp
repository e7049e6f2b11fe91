#include "platform/linux/linux_desktop.h"

#include <cstdio>

#include "platform/console_desktop.h"
#include "platform/linux/lower_case.h"
#include "platform/linux/stdio_streams.h"
#include "platform/program_identity.h"

namespace tagsmit {
namespace {

void ReportNoWindow(const QtLoader& qt) {
  std::fprintf(stderr, "tagsmit: %s\n", qt.Error().c_str());
}

}  // namespace

BoxAnswer LinuxDesktop::MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                               const std::string& title) {
  if (QtFrontEnd* front_end = qt_.Get()) return front_end->MsgBox(prompt, icon, buttons, title);
  ReportNoWindow(qt_);
  StdioStreams streams;
  return ConsoleDesktop(streams, LowerCaseUtf8).MsgBox(prompt, icon, buttons, title);
}

std::string LinuxDesktop::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& default_text) {
  if (QtFrontEnd* front_end = qt_.Get()) return front_end->InputBox(prompt, title, default_text);
  ReportNoWindow(qt_);
  return {};
}

std::string LinuxDesktop::ToLower(const std::string& text) {
  return LowerCaseUtf8(text);
}

ProgramIdentity LinuxDesktop::Identity() {
  return TagsmitIdentity();
}

}  // namespace tagsmit
