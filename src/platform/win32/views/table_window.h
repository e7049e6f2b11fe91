#pragma once

#include <string>
#include <vector>

#include "platform/win32/views/view_window.h"
#include "platform/win32/views/window_look.h"

namespace tagsmit::win32 {

// Any window of ours on Windows, built from its table (ViewWindow): it shows
// what the logic sets on any control by its id and forwards the user's
// actions to the handlers the table names; it decides nothing itself.
template <typename View, typename Logic>
class TableWindow : public View {
 public:
  using ControlId = typename View::Control;

  // Hidden until shown; an owned window is modal to its owner.
  TableWindow(const WindowSpec<ControlId, Logic>& spec, HWND owner, const std::string& caption)
      : window_(spec.client, owner) {
    window_.SetCaption(caption);
    window_.Build(spec, &logic_);
  }

  HWND Handle() const { return window_.Handle(); }
  HWND Control(ControlId control) const { return window_.ControlHandle(Id(control)); }

  // ControlView.
  void SetStaysOnTop(bool on_top) override { SetWindowOnTop(Handle(), on_top); }
  void Close() override { window_.Finish(); }
  void SetCaption(const std::string& caption) override { window_.SetCaption(caption); }
  void SetChecked(ControlId control, bool checked) override {
    SendMessageW(Control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  bool IsChecked(ControlId control) override {
    return SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetText(ControlId control, const std::string& text) override {
    window_.SetControlText(Id(control), text);
  }
  std::string Text(ControlId control) override { return window_.ControlText(Id(control)); }
  void SetEnabled(ControlId control, bool enabled) override {
    EnableWindow(Control(control), enabled ? TRUE : FALSE);
  }
  void Focus(ControlId control) override { SetFocus(Control(control)); }
  void SelectAllText(ControlId control) override {
    SendMessageW(Control(control), EM_SETSEL, 0, -1);
  }
  void ShowEntries(ControlId control, const std::vector<std::string>& entries,
                   int selected) override {
    window_.ShowListEntries(Id(control), entries, selected);
  }

 protected:
  static int Id(ControlId control) { return static_cast<int>(control); }

  ViewWindow window_;
  Logic* logic_ = nullptr;
};

// A child window that runs modally over its owner.
template <typename View, typename Logic>
class ModalTableWindow : public TableWindow<View, Logic> {
 public:
  using TableWindow<View, Logic>::TableWindow;

  void RunModal(Logic& logic) override {
    this->logic_ = &logic;
    this->window_.RunModal();
    this->logic_ = nullptr;
  }
};

}  // namespace tagsmit::win32
