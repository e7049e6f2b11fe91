#pragma once

#include "window/control_view.h"

namespace tagsmit {

class AboutForm;

// The controls of the About window.
enum class AboutControl { picIcon, lblTitle, lblVersion, txtDescription, cmdOK };

// What the About window's logic needs from its window: its controls alone.
class AboutView : public ModalView<AboutControl, AboutForm> {};

}  // namespace tagsmit
