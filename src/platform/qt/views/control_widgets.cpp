#include "platform/qt/views/control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "platform/qt/views/qt_text.h"
#include "platform/qt/views/window_look.h"
#include "window/first_focus.h"
#include "window/grow_to_fit.h"
#include "window/push_down.h"

namespace tagsmit {
namespace {

// Below this height a push button's frame leaves no room for its caption; a
// tool button draws the small list buttons at their size.
constexpr int kLeastPushButtonHeight = 200;

QFont FontOf(const FontSpec& spec) {
  QFont font = spec.face == FontFace::Fixed ? FixedFont() : ControlFont();
  font.setPointSize(spec.points);
  font.setBold(spec.bold);
  return font;
}

QIcon IconOf(ControlPicture picture) {
  return picture == ControlPicture::VersionMark ? VersionButtonIcon() : ApplicationIcon();
}

QWidget* MakeButton(const ControlLook& look, const QString& caption, QWidget& window) {
  if (look.picture == ControlPicture::None && look.place.height >= kLeastPushButtonHeight) {
    return new QPushButton(caption, &window);
  }
  auto* button = new QToolButton(&window);
  button->setText(caption);
  if (look.picture != ControlPicture::None) {
    // The picture stands for the caption, which stays the button's text for
    // screen readers and tests.
    button->setIcon(IconOf(look.picture));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
  return button;
}

QWidget* MakeWidget(const ControlLook& look, QWidget& window) {
  const QString caption = QString::fromUtf8(look.caption);
  switch (look.kind) {
    case ControlKind::CommandButton:
      return MakeButton(look, caption, window);
    case ControlKind::OptionButton:
      return new QRadioButton(caption, &window);
    case ControlKind::CheckBox:
      return new QCheckBox(caption, &window);
    case ControlKind::TextBox:
      return new QLineEdit(&window);
    case ControlKind::ReadOnlyText: {
      auto* text = new QPlainTextEdit(&window);
      text->setReadOnly(true);
      text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      return text;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(caption, &window);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::Frame: {
      // The caption sits on the frame's top line, leaving the inside to the
      // controls placed there, which lie in front of the frame.
      auto* frame = new QGroupBox(caption, &window);
      frame->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.6em; }"
          "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
      frame->lower();
      return frame;
    }
    case ControlKind::ListBox:
    case ControlKind::DriveList: {
      auto* list = new QComboBox(&window);
      list->setEditable(false);
      return list;
    }
    case ControlKind::DirectoryList:
      return new QListWidget(&window);
    case ControlKind::Picture:
      return new QLabel(&window);
  }
  return nullptr;
}

}  // namespace

QWidget* MakeControlWidget(const ControlLook& look, QWidget& window) {
  QWidget* widget = MakeWidget(look, window);
  widget->setObjectName(QString::fromUtf8(look.name));
  widget->setFont(FontOf(look.font));
  if (*look.tooltip != '\0') widget->setToolTip(QString::fromUtf8(look.tooltip));
  if (look.kind == ControlKind::Picture) {
    const QSize size = PlaceInPixels(window, look.place).size();
    static_cast<QLabel*>(widget)->setPixmap(IconOf(look.picture).pixmap(size));
  }
  return widget;
}

void LayOutWidgets(std::span<const ControlWidget> controls) {
  std::vector<GrownControl> grown;
  for (const auto& [look, widget] : controls) {
    const QRect table = PlaceInPixels(*widget, look->place);
    const PixelRect place{table.left(), table.top(), table.width(), table.height()};
    PixelRect fitted = place;
    int reach = place.height;
    if (look->kind == ControlKind::Label) {
      const QSize needed = widget->sizeHint();
      const QSize client = widget->parentWidget()->size();
      fitted =
          GrowToFit(place, {needed.width(), needed.height()}, {client.width(), client.height()});
      reach = needed.height();
    }
    grown.push_back({look->kind, place, fitted, reach});
  }
  const std::vector<PixelRect> places = PushDown(grown);
  for (std::size_t index = 0; index < controls.size(); ++index) {
    const PixelRect& place = places[index];
    controls[index].widget->setGeometry(place.left, place.top, place.width, place.height);
  }
}

void FocusFirstWidget(std::span<const ControlWidget> tab_order) {
  std::vector<FocusStop> stops;
  for (const auto& [look, widget] : tab_order) {
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    stops.push_back({look->kind, widget->isEnabled(), button != nullptr && button->isChecked()});
  }
  if (const int first = FirstFocus(stops); first >= 0) {
    tab_order[static_cast<std::size_t>(first)].widget->setFocus();
  }
}

void ConnectControlEvent(QWidget& widget, ControlEvent event, std::function<void(int)> raise) {
  switch (event) {
    case ControlEvent::None:
      return;
    case ControlEvent::Click:
      if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [raise] { raise(0); });
      } else if (auto* list = qobject_cast<QComboBox*>(&widget)) {
        QObject::connect(list, &QComboBox::activated, list, raise);
      }
      return;
    case ControlEvent::Change:
      // Only a real change: choosing the entry shown again is no change, and
      // a list filled with its signals blocked raises none.
      if (auto* list = qobject_cast<QComboBox*>(&widget)) {
        QObject::connect(list, &QComboBox::currentIndexChanged, list, raise);
      }
      return;
    case ControlEvent::Open:
      if (auto* list = qobject_cast<QListWidget*>(&widget)) {
        QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                         [list, raise](QListWidgetItem* item) { raise(list->row(item)); });
      }
      return;
  }
}

void MakeDefaultButton(QWidget& widget) {
  if (auto* button = qobject_cast<QPushButton*>(&widget)) button->setDefault(true);
}

void SetWidgetChecked(QWidget& widget, bool checked) {
  auto& button = static_cast<QAbstractButton&>(widget);
  // An option button of a group cannot be cleared directly; the logic sets
  // its partner right after.
  const bool exclusive = button.autoExclusive();
  if (!checked) button.setAutoExclusive(false);
  button.setChecked(checked);
  button.setAutoExclusive(exclusive);
}

bool IsWidgetChecked(const QWidget& widget) {
  return static_cast<const QAbstractButton&>(widget).isChecked();
}

bool SetWidgetText(QWidget& widget, const std::string& text) {
  if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
    line->setText(ToQt(text));
  } else if (auto* lines = qobject_cast<QPlainTextEdit*>(&widget)) {
    lines->setPlainText(ToQt(text));
  } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
    label->setText(ToQt(text));
    return true;
  }
  return false;
}

std::string WidgetText(const QWidget& widget) {
  return FromQt(static_cast<const QLineEdit&>(widget).text());
}

void SelectAllWidgetText(QWidget& widget) {
  static_cast<QLineEdit&>(widget).selectAll();
}

void ShowWidgetEntries(QWidget& widget, const std::vector<std::string>& entries, int selected) {
  auto& list = static_cast<QComboBox&>(widget);
  const QSignalBlocker quiet(&list);
  list.clear();
  for (const auto& entry : entries) list.addItem(ToQt(entry));
  list.setCurrentIndex(selected);
}

}  // namespace tagsmit
