#include "platform/qt/views/dir_picker_dialog.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

#include "settings_window/settings_texts.h"

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

DirPickerDialog::DirPickerDialog(QWidget* owner) : ModalTableDialog(kPickerWindow, owner) {
  using enum PickerControl;
  setWindowTitle(QString::fromUtf8(settings_text::kPickerCaption));
  directories_ = static_cast<QListWidget*>(Control(dirListBox));
  // Enter presses OK wherever the focus is, also on Cancel.
  for (PickerControl button : {Command1, Command2}) {
    static_cast<QPushButton*>(Control(button))->setAutoDefault(false);
  }
  directories_->installEventFilter(this);
  directories_->setItemDelegate(new IndentDelegate(directories_));
  LayOut();
}

// Space on the directory list opens the highlighted entry, leaving Enter to
// press OK there as everywhere else in the picker.
bool DirPickerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == directories_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && directories_->currentRow() >= 0) {
    if (logic_ != nullptr) {
      kPickerWindow.Raise(PickerControl::dirListBox, *logic_, directories_->currentRow());
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
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

}  // namespace tagsmit
