#pragma once

#include <QDialog>

#include <vector>

#include "about/about_form.h"
#include "about/about_view.h"

class QLabel;
class QPlainTextEdit;

namespace tagsmit {

// The About window on Qt. OK, Enter, Esc and a click on the bare background
// all close it.
class AboutDialog final : public QDialog, public AboutView {
 public:
  explicit AboutDialog(QWidget* owner);

  // AboutView.
  void SetStaysOnTop(bool on_top) override;
  void Close() override;
  void SetText(AboutText which, const std::string& text) override;
  void RunModal(AboutForm& form) override;

  void reject() override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::vector<QWidget*> controls_;
  QLabel* title_ = nullptr;
  QLabel* version_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  AboutForm* form_ = nullptr;
};

}  // namespace tagsmit
