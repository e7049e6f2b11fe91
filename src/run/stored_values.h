#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "run/options.h"

namespace tagsmit {

// How a stored value is written and read back.
enum class StoredKind {
  kVersion,  // VerStr; loading only compares it
  kList,     // the paste-string list, as its list text
  kIndex,    // the selected entry of the list
  kSwitch,   // an 8-bit switch of the Options, "0" to "255"
  kPath,     // a text of the Options, as typed
};

// Where the settings window shows a switch as a check box of its own.
enum class SwitchFrame {
  kNoBox,      // RelativePath has the two option buttons instead
  kPathFrame,  // the path frame
  kRunFrame,   // the run-time frame, which grows by one row per switch
};

// The check box of a switch.
struct SwitchBox {
  SwitchFrame frame = SwitchFrame::kNoBox;
  const char* name = "";  // the control's name
  const char* caption = "";
  std::string tooltip;
  // The box shows the switch as the run reads it: error reports count only
  // an exact 1, the other switches any value but 0.
  bool on_only_at_one = false;
  // In twips; 0 spans the frame. The boxes of release 1.1.5 keep the width
  // they were drawn with.
  int width = 0;
};

// One stored value: its key, its place in the Options and, for a switch, its
// check box.
struct StoredValue {
  const char* key;
  StoredKind kind;
  std::uint8_t Options::*switch_field = nullptr;
  std::string Options::*text_field = nullptr;
  SwitchBox box = {};
};

using SettingsSchema = std::span<const StoredValue>;

// The stored values in the order they are written, which is the order loading
// reads them back by position: loading, saving, the reset and the settings
// window all take them from here.
SettingsSchema StoredValues();

}  // namespace tagsmit
