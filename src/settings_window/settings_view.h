#pragma once

#include <memory>

#include "window/control_view.h"

namespace tagsmit {

class AboutView;
class DirPickerView;

// The controls of the settings window. The check box of each stored switch
// follows them, numbered from kSwitchBoxes in the order of the stored values.
enum class SettingsControl {
  optRelative,
  optFixed,
  pathFrame,
  txtFixedPath,
  btnRef,
  txtBasePath,
  runFrame,
  btnDel,
  btnAdd,
  cmbClipStr,
  btnVer,
  btnCancel,
  btnOk,
  btnDefault,
  Label1,
  kSwitchBoxes,
};

struct Extent {
  int width = 0;
  int height = 0;
};

// What the settings window's logic needs from the window on screen beyond its
// controls.
class SettingsView : public ControlView<SettingsControl> {
 public:
  // Screen and window in the same unit, for the placement on opening.
  virtual Extent ScreenSize() = 0;
  virtual Extent WindowSize() = 0;
  virtual void MoveTo(int left, int top) = 0;
  // Shows the window without blocking.
  virtual void Show() = 0;

  // The modal children, loaded afresh at each opening.
  virtual std::unique_ptr<DirPickerView> CreateDirPickerView() = 0;
  virtual std::unique_ptr<AboutView> CreateAboutView() = 0;
};

}  // namespace tagsmit
