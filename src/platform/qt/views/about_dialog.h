#pragma once

#include "about/about_controls.h"
#include "platform/qt/views/table_dialog.h"

namespace tagsmit {

// The About window on Qt. OK, Enter, Esc and a click on the bare background
// all close it.
class AboutDialog final : public ModalTableDialog<AboutView, AboutForm> {
 public:
  explicit AboutDialog(QWidget* owner);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tagsmit
