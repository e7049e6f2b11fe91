#pragma once

namespace tagsmit {

// A top-level window of the program as its logic sees it.
class WindowView {
 public:
  virtual ~WindowView() = default;

  // Enters (true) or leaves (false) the band of windows kept above all others.
  // The window keeps its place and size and is shown if it was hidden.
  virtual void SetStaysOnTop(bool on_top) = 0;
  // Closes and unloads the window; a modal window returns from its modal run.
  virtual void Close() = 0;
};

// The settings window stays above all other windows while the user works in
// it; it leaves that band while one of its modal children is open.
inline void SetTopMost(WindowView& window) {
  window.SetStaysOnTop(true);
}
inline void ClearTopMost(WindowView& window) {
  window.SetStaysOnTop(false);
}

}  // namespace tagsmit
