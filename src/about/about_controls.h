#pragma once

#include "about/about_form.h"
#include "window/control_spec.h"

namespace tagsmit {

using AboutControlSpec = ControlSpec<AboutControl, AboutForm>;
using AboutWindowSpec = WindowSpec<AboutControl, AboutForm>;

// The About window, control by control; its texts come from Form_Load.
extern const AboutWindowSpec kAboutWindow;

}  // namespace tagsmit
