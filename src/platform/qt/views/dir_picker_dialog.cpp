#include "platform/qt/views/dir_picker_dialog.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

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

DirPickerDialog::DirPickerDialog(QWidget* owner)
    : QDialog(owner),
      drives_(new QComboBox(this)),
      directories_(new QListWidget(this)),
      ok_(new QPushButton(QString::fromUtf8(settings_text::kPickerOk), this)),
      cancel_(new QPushButton(QString::fromUtf8(settings_text::kPickerCancel), this)) {
  setWindowTitle(QString::fromUtf8(settings_text::kPickerCaption));
  SetUpFixedWindow(*this, kPickerClientArea);
  drives_->setObjectName(QStringLiteral("drvListBox"));
  directories_->setObjectName(QStringLiteral("dirListBox"));
  ok_->setObjectName(QStringLiteral("Command1"));
  cancel_->setObjectName(QStringLiteral("Command2"));
  drives_->setGeometry(PlaceInPixels(*this, kPickerDriveListPlace));
  directories_->setGeometry(PlaceInPixels(*this, kPickerDirListPlace));
  ok_->setGeometry(PlaceInPixels(*this, kPickerOkPlace));
  cancel_->setGeometry(PlaceInPixels(*this, kPickerCancelPlace));
  ok_->setDefault(true);
  ok_->setAutoDefault(false);
  cancel_->setAutoDefault(false);
  setTabOrder(drives_, directories_);
  setTabOrder(directories_, ok_);
  setTabOrder(ok_, cancel_);
  directories_->installEventFilter(this);
  directories_->setItemDelegate(new IndentDelegate(directories_));

  // Only a real change of drive: Qt reports choosing the drive shown again as
  // activated, and ShowDrives sets the index with signals blocked.
  connect(drives_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (picker_ != nullptr) picker_->drvListBox_Change(index);
  });
  connect(directories_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (picker_ != nullptr) picker_->dirListBox_Open(directories_->row(item));
  });
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (picker_ != nullptr) picker_->Command1_Click();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

// Space on the directory list opens the highlighted entry, leaving Enter to
// press OK there as everywhere else in the picker.
bool DirPickerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == directories_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && directories_->currentRow() >= 0) {
    if (picker_ != nullptr) picker_->dirListBox_Open(directories_->currentRow());
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
  if (picker_ != nullptr) picker_->Command2_Click();
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
  drives_->setFocus();
  exec();
  picker_ = nullptr;
}

}  // namespace tagsmit
