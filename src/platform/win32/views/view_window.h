#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "window/control_spec.h"

namespace tagsmit::win32 {

// A top-level window built from its window table: one child window per
// control, with the table's caption, tooltip, font, place (converted at the
// monitor's resolution; a label or a closed drop-down list grown where its
// font needs more room, pushing what lies under it down), Tab order and
// Enter and Esc roles. It opens with the focus where a Windows dialog puts
// it. The user's actions go to the table's handlers; the window decides
// nothing itself.
class ViewWindow {
 public:
  // Hidden until shown; an owned window is modal to its owner.
  ViewWindow(TwipsSize client, HWND owner);
  ~ViewWindow();
  ViewWindow(const ViewWindow&) = delete;
  ViewWindow& operator=(const ViewWindow&) = delete;

  HWND Handle() const { return window_; }
  HWND ControlHandle(int control) const { return controls_[static_cast<size_t>(control)].hwnd; }

  // Builds the controls of `spec`; their events go to `*logic` while it is set.
  template <typename Control, typename Logic>
  void Build(const WindowSpec<Control, Logic>& spec, Logic* const* logic);

  void SetCaption(const std::string& caption);
  void SetControlText(int control, const std::string& text);
  std::string ControlText(int control) const;
  // A drop-down list shows `entries` with `selected` chosen (-1: none);
  // showing raises no event.
  void ShowListEntries(int control, const std::vector<std::string>& entries, int selected);

  // Places the window and every control for `dpi` dots per inch.
  void LayOut(UINT dpi);

  // Centres the window on its owner, disables the owner and handles messages
  // until Finish.
  void RunModal();
  // Handles the messages of the thread until Finish.
  void RunUntilFinished();
  // Hides the window and ends its run; the owner is enabled again first, so
  // that it becomes the active window.
  void Finish();

  // `click` runs for a click on the window's bare background, outside every
  // control.
  void OnBackgroundClick(std::function<void()> click) { background_click_ = std::move(click); }

 private:
  struct ControlWindow {
    HWND hwnd = nullptr;
    ControlLook look{};
    ControlEvent event = ControlEvent::None;
    std::function<void(int)> raise;
    HFONT font = nullptr;
    HICON icon = nullptr;
    PixelRect grown{};     // the place for its font, before PushDown
    int reach = 0;         // how far down its content reaches (PushDown): a label's text height,
                           // any other control's placed height
    int shown_entry = -1;  // the entry a drive list shows, to raise only real changes
  };

  void AddControl(int control, const ControlLook& look, KeyRoles keys, ControlEvent event,
                  std::function<void(int)> raise);
  void Arrange(const std::vector<int>& tab_order);
  void Raise(ControlWindow& control, int index);
  void RaiseChangedEntry(ControlWindow& control);
  void OnCommand(int id, int code);
  PixelSize ClientPixels() const;
  void FitLabel(ControlWindow& label);
  // Moves the controls to where PushDown puts their grown places.
  void PushGrownPlacesDown();
  HWND FirstFocusControl() const;
  bool IsLabel(HWND control) const;
  void Cancel();
  // Gives the control its picture at `size` pixels, by `message`
  // (STM_SETIMAGE, BM_SETIMAGE).
  void SetPicture(ControlWindow& control, const PixelRect& place, UINT message, int size);
  void SetWindowIcons(UINT dpi);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  HWND tooltips_ = nullptr;
  TwipsSize client_;
  UINT dpi_ = 96;
  std::vector<ControlWindow> controls_;
  std::vector<int> tab_order_;
  int default_ = -1;
  int cancel_ = -1;
  HWND focus_ = nullptr;  // the control that had the focus when the window was left
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  std::function<void()> background_click_;
  bool finished_ = false;
};

template <typename Control, typename Logic>
void ViewWindow::Build(const WindowSpec<Control, Logic>& spec, Logic* const* logic) {
  controls_.resize(spec.controls.size());
  for (const auto& control : spec.controls) {
    std::function<void(int)> raise;
    if (control.handler != nullptr) {
      raise = [&spec, logic, id = control.control](int index) {
        if (*logic != nullptr) spec.Raise(id, **logic, index);
      };
    }
    AddControl(static_cast<int>(control.control), control.look, control.keys, control.event,
               std::move(raise));
  }
  std::vector<int> tab_order;
  for (Control control : spec.TabOrder()) tab_order.push_back(static_cast<int>(control));
  Arrange(tab_order);
  LayOut(dpi_);
}

}  // namespace tagsmit::win32
