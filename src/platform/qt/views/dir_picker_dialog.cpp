#include "platform/qt/views/dir_picker_dialog.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

#include "platform/qt/views/control_widgets.h"
#include "platform/qt/views/qt_text.h"
#include "platform/qt/views/window_look.h"
#include "settings/settings_controls.h"
#include "settings/settings_texts.h"

namespace tagsmit {
namespace {

constexpr int kDepthRole = Qt::UserRole;

// Indents each line of the directory list, folder picture and all, by its depth.
class IndentDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented(option);
    indented.rect.adjust(Indent(index), 0, 0, 0);
    QStyledItemDelegate::paint(painter, indented, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(index), 0);
  }

 private:
  static int Indent(const QModelIndex& index) { return index.data(kDepthRole).toInt() * 10; }
};

}  // namespace

DirPickerDialog::DirPickerDialog(QWidget* owner) : QDialog(owner) {
  using enum PickerControl;
  setWindowTitle(QString::fromUtf8(settings_text::kPickerCaption));
  SetUpFixedWindow(*this, kPickerWindow.client);
  controls_ = BuildControls(*this, kPickerWindow, &picker_);
  drives_ = static_cast<QComboBox*>(WidgetOf(controls_, drvListBox));
  directories_ = static_cast<QListWidget*>(WidgetOf(controls_, dirListBox));
  // Enter presses OK wherever the focus is, also on Cancel.
  for (PickerControl button : {Command1, Command2}) {
    static_cast<QPushButton*>(WidgetOf(controls_, button))->setAutoDefault(false);
  }
  directories_->installEventFilter(this);
  directories_->setItemDelegate(new IndentDelegate(directories_));
  LayOutControls(kPickerWindow, controls_);
}

// Space on the directory list opens the highlighted entry, leaving Enter to
// press OK there as everywhere else in the picker.
bool DirPickerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == directories_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && directories_->currentRow() >= 0) {
    if (picker_ != nullptr) {
      kPickerWindow.Raise(PickerControl::dirListBox, *picker_, directories_->currentRow());
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void DirPickerDialog::SetStaysOnTop(bool on_top) {
  setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  show();
}

void DirPickerDialog::Close() {
  done(QDialog::Rejected);
}

void DirPickerDialog::reject() {
  if (picker_ != nullptr) kPickerWindow.Raise(kPickerWindow.CancelControl(), *picker_);
}

void DirPickerDialog::ShowDrives(const std::vector<std::string>& drives, int selected) {
  const QSignalBlocker quiet(drives_);
  drives_->clear();
  for (const auto& drive : drives) drives_->addItem(ToQt(drive));
  drives_->setCurrentIndex(selected);
}

void DirPickerDialog::ShowDirectories(const DirListing& listing) {
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  directories_->clear();
  for (size_t index = 0; index < listing.entries.size(); ++index) {
    const DirEntry& entry = listing.entries[index];
    const bool above = static_cast<int>(index) <= listing.current;
    auto* item = new QListWidgetItem(above ? open : closed, ToQt(entry.name), directories_);
    item->setData(kDepthRole, entry.depth);
    item->setToolTip(ToQt(entry.path));
  }
  directories_->setCurrentRow(listing.current);
  directories_->scrollToItem(directories_->currentItem());
}

void DirPickerDialog::RunModal(DirPicker& picker) {
  picker_ = &picker;
  FocusFirstControl(kPickerWindow, controls_);
  exec();
  picker_ = nullptr;
}

}  // namespace tagsmit
