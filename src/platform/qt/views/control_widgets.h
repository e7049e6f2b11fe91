#pragma once

#include <QLabel>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <vector>

#include "window/control_spec.h"

namespace tagsmit {

// The widget for one control: its kind, name, place, caption, tooltip, font
// and picture as the window's table gives them.
QWidget* MakeControlWidget(const ControlLook& look, QWidget& window);

// Puts `label` at its table `place`, grown to hold its whole text where its
// font needs more room.
void FitLabel(QLabel& label, const TwipsRect& place);

// `raise` runs, with the entry's index for list events, whenever the user
// does to `widget` what `event` names.
void ConnectControlEvent(QWidget& widget, ControlEvent event, std::function<void(int)> raise);

// Enter presses this button.
void MakeDefaultButton(QWidget& widget);

// The widget of `control` among those BuildControls gave.
template <typename Control>
QWidget* WidgetOf(const std::vector<QWidget*>& widgets, Control control) {
  return widgets[static_cast<std::size_t>(control)];
}

// Builds every control of `spec` in `window`: each widget, the default
// button, the Tab order and the events, which go to `*logic` while it is set.
// The widgets come back indexed by their control.
template <typename Control, typename Logic, typename Binding>
std::vector<QWidget*> BuildControls(QWidget& window,
                                    const WindowSpec<Control, Logic, Binding>& spec,
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
