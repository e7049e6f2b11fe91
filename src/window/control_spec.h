#pragma once

#include <algorithm>
#include <vector>

#include "window/twips.h"

namespace tagsmit {

// Each window is described once, as a table of its controls, so that every
// front end builds the same window from it and sends the user's actions to
// the same handlers.

enum class ControlKind {
  CommandButton,
  OptionButton,
  CheckBox,
  TextBox,       // one line of text to edit
  ReadOnlyText,  // several lines of text, wrapped, to read and select
  Label,
  Frame,          // groups the controls placed inside it, its caption on top
  ListBox,        // drop-down list to choose one entry from
  DriveList,      // drop-down list of the drives
  DirectoryList,  // the ancestors and subdirectories of one directory
  Picture,
};

// The faces of the windows: the proportional Gothic of most controls and the
// fixed-pitch one of paste strings and paths.
enum class FontFace { Proportional, Fixed };

struct FontSpec {
  FontFace face = FontFace::Proportional;
  int points = 9;
  bool bold = false;
};

// What a picture or a picture button shows.
enum class ControlPicture { None, ProgramIcon, VersionMark };

// The action of the user that runs a control's handler.
enum class ControlEvent {
  None,
  Click,   // a button pressed, an entry of a list box picked
  Change,  // another entry of a drive list chosen
  Open,    // an entry of a directory list opened (double click, Space)
};

// Enter presses the default button, Esc the cancel button.
struct KeyRoles {
  bool is_default = false;
  bool is_cancel = false;
};

// How a control looks, whatever it does.
struct ControlLook {
  const char* name;  // the control's name, as the logic's handlers use it
  ControlKind kind;
  const char* caption;  // "" when the control shows none
  const char* tooltip;  // "" when the control has none
  TwipsRect place;
  FontSpec font = {};
  ControlPicture picture = ControlPicture::None;
};

// Labels, frames and pictures only show; Tab passes them by.
constexpr bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::Frame && kind != ControlKind::Picture;
}

// One control of a window whose logic is a `Logic` and whose controls are
// named by `Control`. A window's table lists its controls in the order Tab
// reaches them.
template <typename Control, typename Logic>
struct ControlSpec {
  Control control;
  ControlLook look;
  KeyRoles keys = {};
  ControlEvent event = ControlEvent::None;
  // Runs the logic's handler; `index` is the entry for the list events.
  void (*handler)(Logic& logic, int index) = nullptr;
};

// A window: the size of its client area and its controls.
template <typename Control, typename Logic>
struct WindowSpec {
  TwipsSize client;
  std::vector<ControlSpec<Control, Logic>> controls;

  const ControlSpec<Control, Logic>& Find(Control control) const {
    return *std::find_if(controls.begin(), controls.end(),
                         [control](const auto& spec) { return spec.control == control; });
  }

  // The controls that Tab reaches, in the order it reaches them: the table's.
  std::vector<Control> TabOrder() const {
    std::vector<Control> order;
    for (const auto& spec : controls) {
      if (TakesFocus(spec.look.kind)) order.push_back(spec.control);
    }
    return order;
  }

  // Runs the handler of `control`, if it has one.
  void Raise(Control control, Logic& logic, int index = 0) const {
    const auto& spec = Find(control);
    if (spec.handler != nullptr) spec.handler(logic, index);
  }

  // The control that Esc presses.
  Control CancelControl() const {
    return std::find_if(controls.begin(), controls.end(),
                        [](const auto& spec) { return spec.keys.is_cancel; })
        ->control;
  }
};

}  // namespace tagsmit
