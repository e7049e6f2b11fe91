#pragma once

#include <algorithm>
#include <deque>
#include <string>
#include <tuple>
#include <vector>

#include "platform/desktop.h"

namespace tagsmit::testing {

// A desktop that records everything shown and answers boxes from queues.
// A box with Yes/No and nothing queued answers Yes; an input box with nothing
// queued answers Cancel (empty text).
class ScriptedDesktop : public Desktop {
 public:
  struct Box {
    std::string prompt;
    BoxIcon icon;
    BoxButtons buttons;
    std::string title;
  };
  struct Input {
    std::string prompt;
    std::string title;
    std::string default_text;
  };

  BoxAnswer MsgBox(const std::string& prompt, BoxIcon icon, BoxButtons buttons,
                   const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override;
  void Beep() override { events.push_back("beep"); }
  void Warn(const std::string& text) override { events.push_back("warn: " + text); }
  Status SetClipboardText(const std::string& text) override;
  Result<std::string> ClipboardText() override;
  bool IsShiftDown() override {
    events.push_back("shift");
    return shift_held;
  }
  std::string ToLower(const std::string& text) override;
  ProgramIdentity Identity() override { return identity; }

  // Script.
  std::deque<BoxAnswer> answers;
  std::deque<std::string> inputs;
  bool shift_held = false;
  bool clipboard_fails = false;
  ProgramIdentity identity{"Tagsmit", 1, 2, 0};

  // Record.
  std::vector<Box> boxes;
  std::vector<Input> input_boxes;
  // "box", "input", "beep", "warn: TEXT", "clipboard", "shift" in order
  std::vector<std::string> events;
  int Count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
  }
  std::string clipboard;
  int lower_case_calls = 0;  // the platform's mapping can cost a locale
};

// A message box as shown: prompt, icon, buttons, title; comparable and printable.
using BoxSeen = std::tuple<std::string, BoxIcon, BoxButtons, std::string>;
inline std::vector<BoxSeen> Boxes(const ScriptedDesktop& desktop) {
  std::vector<BoxSeen> seen;
  for (const auto& box : desktop.boxes)
    seen.emplace_back(box.prompt, box.icon, box.buttons, box.title);
  return seen;
}
inline BoxSeen Question(const std::string& prompt) {
  return {prompt, BoxIcon::Question, BoxButtons::YesNo, "Tagsmit"};
}
inline BoxSeen Told(const std::string& prompt, BoxIcon icon, const std::string& title = "Tagsmit") {
  return {prompt, icon, BoxButtons::Ok, title};
}

}  // namespace tagsmit::testing
