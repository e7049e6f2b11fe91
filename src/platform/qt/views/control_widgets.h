#pragma once

#include <QWidget>

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "window/control_spec.h"

namespace tagsmit {

// The widget for one control: its kind, name, caption, tooltip, font and
// picture as the window's table gives them; LayOutWidgets places it.
QWidget* MakeControlWidget(const ControlLook& look, QWidget& window);

// A control's widget and how its table describes it.
struct ControlWidget {
  const ControlLook* look;
  QWidget* widget;
};

// Puts each widget at its table place; a label grows to hold its whole text
// where its font needs more room, pushing what lies under it down (PushDown).
void LayOutWidgets(std::span<const ControlWidget> controls);

// Gives the focus to the widget a Windows dialog would focus on opening
// (FirstFocus); `tab_order` in the window's Tab order.
void FocusFirstWidget(std::span<const ControlWidget> tab_order);

// `raise` runs, with the entry's index for list events, whenever the user
// does to `widget` what `event` names.
void ConnectControlEvent(QWidget& widget, ControlEvent event, std::function<void(int)> raise);

// Enter presses this button.
void MakeDefaultButton(QWidget& widget);

// The operations on one control's widget, whatever window it belongs to.
void SetWidgetChecked(QWidget& widget, bool checked);
bool IsWidgetChecked(const QWidget& widget);
// True when the widget is a label, whose new text may need another layout.
bool SetWidgetText(QWidget& widget, const std::string& text);
std::string WidgetText(const QWidget& widget);
void SelectAllWidgetText(QWidget& widget);
// Showing the entries of a drop-down list raises no event.
void ShowWidgetEntries(QWidget& widget, const std::vector<std::string>& entries, int selected);

// The widget of `control` among those BuildControls gave.
template <typename Control>
QWidget* WidgetOf(const std::vector<QWidget*>& widgets, Control control) {
  return widgets[static_cast<std::size_t>(control)];
}

// Lays the window out: once it is built, and again when a label's text has
// changed.
template <typename Control, typename Logic>
void LayOutControls(const WindowSpec<Control, Logic>& spec, const std::vector<QWidget*>& widgets) {
  std::vector<ControlWidget> controls;
  for (const auto& control : spec.controls) {
    controls.push_back({&control.look, WidgetOf(widgets, control.control)});
  }
  LayOutWidgets(controls);
}

// Focuses the control a window opens with.
template <typename Control, typename Logic>
void FocusFirstControl(const WindowSpec<Control, Logic>& spec,
                       const std::vector<QWidget*>& widgets) {
  std::vector<ControlWidget> tab_order;
  for (Control control : spec.TabOrder()) {
    tab_order.push_back({&spec.Find(control).look, WidgetOf(widgets, control)});
  }
  FocusFirstWidget(tab_order);
}

// Builds every control of `spec` in `window`: each widget, the default
// button, the Tab order and the events, which go to `*logic` while it is set.
// The widgets come back indexed by their control, for the window to finish
// and then lay out (LayOutControls).
template <typename Control, typename Logic>
std::vector<QWidget*> BuildControls(QWidget& window, const WindowSpec<Control, Logic>& spec,
                                    Logic* const* logic) {
  std::vector<QWidget*> widgets(spec.controls.size());
  for (const auto& control : spec.controls) {
    QWidget* widget = MakeControlWidget(control.look, window);
    widgets[static_cast<std::size_t>(control.control)] = widget;
    if (control.keys.is_default) MakeDefaultButton(*widget);
    if (control.handler == nullptr) continue;
    ConnectControlEvent(*widget, control.event, [&spec, logic, id = control.control](int index) {
      if (*logic != nullptr) spec.Raise(id, **logic, index);
    });
  }
  QWidget* previous = nullptr;
  for (Control control : spec.TabOrder()) {
    QWidget* widget = widgets[static_cast<std::size_t>(control)];
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  return widgets;
}

}  // namespace tagsmit
