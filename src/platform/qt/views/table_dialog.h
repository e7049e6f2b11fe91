#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "platform/qt/views/control_widgets.h"
#include "platform/qt/views/qt_text.h"
#include "platform/qt/views/window_look.h"

namespace tagsmit {

// Any window of ours on Qt, built from its table: a fixed-size dialog that
// shows what the logic sets on any control by its id and forwards the user's
// actions to the handlers the table names; it decides nothing itself. Enter
// presses the default button; Esc and the close box the cancel button. A
// window finishes its own widgets, then lays them out (LayOut).
template <typename View, typename Logic>
class TableDialog : public QDialog, public View {
 public:
  using ControlId = typename View::Control;
  using Spec = WindowSpec<ControlId, Logic>;

  TableDialog(const Spec& spec, QWidget* owner, Qt::WindowFlags extra_flags = {})
      : QDialog(owner), spec_(spec) {
    SetUpFixedWindow(*this, spec.client, extra_flags);
    widgets_ = BuildControls(*this, spec, &logic_);
  }

  QWidget* Control(ControlId control) const { return WidgetOf(widgets_, control); }

  // ControlView.
  void SetStaysOnTop(bool on_top) override { SetWindowOnTop(*this, on_top); }
  void Close() override { done(QDialog::Rejected); }
  void SetCaption(const std::string& caption) override { this->setWindowTitle(ToQt(caption)); }
  void SetChecked(ControlId control, bool checked) override {
    SetWidgetChecked(*Control(control), checked);
  }
  bool IsChecked(ControlId control) override { return IsWidgetChecked(*Control(control)); }
  void SetText(ControlId control, const std::string& text) override {
    if (SetWidgetText(*Control(control), text)) LayOut();
  }
  std::string Text(ControlId control) override { return WidgetText(*Control(control)); }
  void SetEnabled(ControlId control, bool enabled) override {
    Control(control)->setEnabled(enabled);
  }
  void Focus(ControlId control) override { Control(control)->setFocus(); }
  void SelectAllText(ControlId control) override { SelectAllWidgetText(*Control(control)); }
  void ShowEntries(ControlId control, const std::vector<std::string>& entries,
                   int selected) override {
    ShowWidgetEntries(*Control(control), entries, selected);
  }

  void reject() override {
    if (logic_ != nullptr) spec_.Raise(spec_.CancelControl(), *logic_);
  }

 protected:
  void LayOut() { LayOutControls(spec_, widgets_); }
  void FocusFirst() { FocusFirstControl(spec_, widgets_); }

  const Spec& spec_;
  std::vector<QWidget*> widgets_;
  Logic* logic_ = nullptr;
};

// A child window that runs modally over its owner.
template <typename View, typename Logic>
class ModalTableDialog : public TableDialog<View, Logic> {
 public:
  using TableDialog<View, Logic>::TableDialog;

  void RunModal(Logic& logic) override {
    this->logic_ = &logic;
    this->FocusFirst();
    this->exec();
    this->logic_ = nullptr;
  }
};

}  // namespace tagsmit
