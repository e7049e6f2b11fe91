#include "platform/linux/linux_desktop.h"

#include <cstdio>
#include <cstdlib>

namespace tagsmit {
namespace {

void ReportNoWindow(const QtLoader& qt) {
  std::fprintf(stderr, "tagsmit: %s\n", qt.Error().c_str());
}

}  // namespace

BoxAnswer LinuxDesktop::MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                               const std::string& title) {
  qt_.Showing(prompt);
  if (QtFrontEnd* front_end = qt_.Get()) {
    const BoxAnswer answer = front_end->MsgBox(prompt, icon, buttons, title);
    qt_.Showing({});
    return answer;
  }
  ReportNoWindow(qt_);
  const BoxAnswer answer = console_.MsgBox(prompt, icon, buttons, title);
  // What the run did went with the display; its text is told, the run fails.
  if (qt_.DisplayLost()) std::exit(1);
  return answer;
}

std::string LinuxDesktop::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& default_text) {
  if (QtFrontEnd* front_end = qt_.Get()) return front_end->InputBox(prompt, title, default_text);
  ReportNoWindow(qt_);
  return {};
}

}  // namespace tagsmit
