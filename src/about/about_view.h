#pragma once

#include <string>

#include "window/window_view.h"

namespace tagsmit {

class AboutForm;

// The controls of the About window.
enum class AboutControl { picIcon, lblTitle, lblVersion, txtDescription, cmdOK };

// The texts the About window's load step fills in.
enum class AboutText { Caption, lblTitle, lblVersion, txtDescription };

// What the About window's logic needs from its window.
class AboutView : public WindowView {
 public:
  virtual void SetText(AboutText which, const std::string& text) = 0;
  // Shows the window modally, forwarding its events to `form`, until Close.
  virtual void RunModal(AboutForm& form) = 0;
};

}  // namespace tagsmit
