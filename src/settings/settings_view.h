#pragma once

#include <memory>
#include <string>
#include <vector>

#include "window/window_view.h"

namespace tagsmit {

class AboutView;
class DirPickerView;

// The controls of the settings window, in the window's own order.
enum class SettingsControl {
  optRelative,
  optFixed,
  pathFrame,
  txtFixedPath,
  btnRef,
  txtBasePath,
  chkLower,
  runFrame,
  chkNotify,
  chkTest,
  chkMoreFormats,
  chkDisplaySize,
  btnDel,
  btnAdd,
  cmbClipStr,
  btnVer,
  btnCancel,
  btnOk,
  btnDefault,
  Label1,
};

struct Extent {
  int width = 0;
  int height = 0;
};

// What the settings window's logic needs from the window on screen.
class SettingsView : public WindowView {
 public:
  // Screen and window in the same unit, for the placement on opening.
  virtual Extent ScreenSize() = 0;
  virtual Extent WindowSize() = 0;
  virtual void MoveTo(int left, int top) = 0;
  // Shows the window without blocking.
  virtual void Show() = 0;

  // Check boxes and option buttons.
  virtual void SetChecked(SettingsControl control, bool checked) = 0;
  virtual bool IsChecked(SettingsControl control) = 0;
  // Text boxes.
  virtual void SetText(SettingsControl control, const std::string& text) = 0;
  virtual std::string Text(SettingsControl control) = 0;
  virtual void SetEnabled(SettingsControl control, bool enabled) = 0;
  virtual void Focus(SettingsControl control) = 0;
  virtual void SelectAllText(SettingsControl control) = 0;

  // The paste-string list box shows these entries, index 0 at the top, with
  // `selected` chosen (-1: none).
  virtual void ShowClipStrs(const std::vector<std::string>& entries, int selected) = 0;

  // The modal children, loaded afresh at each opening.
  virtual std::unique_ptr<DirPickerView> CreateDirPickerView() = 0;
  virtual std::unique_ptr<AboutView> CreateAboutView() = 0;
};

}  // namespace tagsmit
