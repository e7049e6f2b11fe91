#include "platform/qt/views/about_dialog.h"

#include <algorithm>

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "about/about_layout.h"
#include "about/about_texts.h"
#include "platform/qt/views/qt_text.h"
#include "platform/qt/views/window_look.h"

namespace tagsmit {

AboutDialog::AboutDialog(QWidget* owner)
    : QDialog(owner),
      icon_(new QLabel(this)),
      title_(new QLabel(this)),
      version_(new QLabel(this)),
      description_(new QPlainTextEdit(this)),
      ok_(new QPushButton(QString::fromUtf8(about_text::kOk), this)) {
  SetUpFixedWindow(*this, kAboutClientArea);
  icon_->setObjectName(QStringLiteral("picIcon"));
  title_->setObjectName(QStringLiteral("lblTitle"));
  version_->setObjectName(QStringLiteral("lblVersion"));
  description_->setObjectName(QStringLiteral("txtDescription"));
  ok_->setObjectName(QStringLiteral("cmdOK"));

  icon_->setGeometry(PlaceInPixels(*this, kAboutIconPlace));
  icon_->setPixmap(ApplicationIcon().pixmap(icon_->size()));
  title_->setGeometry(PlaceInPixels(*this, kAboutTitlePlace));
  QFont title_font = ControlFont();
  title_font.setPointSize(12);
  title_font.setBold(true);
  title_->setFont(title_font);
  title_->setTextFormat(Qt::PlainText);
  version_->setGeometry(PlaceInPixels(*this, kAboutVersionPlace));
  version_->setTextFormat(Qt::PlainText);
  description_->setGeometry(PlaceInPixels(*this, kAboutDescriptionPlace));
  description_->setReadOnly(true);
  description_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // The stand-in fonts run taller than the Windows ones; the two lines grow
  // downwards rather than lose their descenders.
  for (QLabel* line : {title_, version_}) {
    line->resize(line->width(), std::max(line->height(), line->fontMetrics().height()));
  }
  ok_->setGeometry(PlaceInPixels(*this, kAboutOkPlace));
  ok_->setDefault(true);
  setTabOrder(ok_, description_);

  connect(ok_, &QPushButton::clicked, this, [this] {
    if (form_ != nullptr) form_->cmdOK_Click();
  });
}

void AboutDialog::SetStaysOnTop(bool on_top) {
  setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  show();
}

void AboutDialog::Close() {
  done(QDialog::Accepted);
}

void AboutDialog::SetText(AboutText which, const std::string& text) {
  switch (which) {
    case AboutText::Caption:
      setWindowTitle(ToQt(text));
      return;
    case AboutText::lblTitle:
      title_->setText(ToQt(text));
      return;
    case AboutText::lblVersion:
      version_->setText(ToQt(text));
      return;
    case AboutText::txtDescription:
      description_->setPlainText(ToQt(text));
      return;
  }
}

void AboutDialog::RunModal(AboutForm& form) {
  form_ = &form;
  ok_->setFocus();
  exec();
  form_ = nullptr;
}

// Esc, like OK.
void AboutDialog::reject() {
  if (form_ != nullptr) form_->cmdOK_Click();
}

// Clicks on the labels and the picture reach here too; only the bare
// background closes the window.
void AboutDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) {
    if (form_ != nullptr) form_->Form_Click();
    return;
  }
  QDialog::mousePressEvent(event);
}

}  // namespace tagsmit
