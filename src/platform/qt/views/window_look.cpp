#include "platform/qt/views/window_look.h"

#include <QFontDatabase>
#include <QScreen>
#include <QStringList>

// Outside any namespace, as Qt's resource macro needs.
static void InitWindowIcons() {
  static bool done = false;
  if (done) return;
  Q_INIT_RESOURCE(icons);
  done = true;
}

namespace tagsmit {

int TwipsToPixels(const QWidget& widget, int twips) {
  const QScreen* screen = widget.screen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
  return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

QRect TwipsToPixels(const QWidget& widget, const TwipsRect& place) {
  return {TwipsToPixels(widget, place.left), TwipsToPixels(widget, place.top),
          TwipsToPixels(widget, place.width), TwipsToPixels(widget, place.height)};
}

void SetUpFixedWindow(QWidget& window, int width_twips, int height_twips,
                      Qt::WindowFlags extra_flags) {
  window.setFont(ControlFont());
  window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint | extra_flags);
  window.setFixedSize(TwipsToPixels(window, width_twips), TwipsToPixels(window, height_twips));
}

QFont ControlFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
  font.setPointSize(9);
  return font;
}

QFont FixedFont() {
  // Noto Sans Mono CJK JP gives Latin and kana one cell and kanji two, as the
  // Windows font does; without it the desktop's fixed font stands in.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies(
      {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP"), font.family()});
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(9);
  return font;
}

QIcon ApplicationIcon() {
  InitWindowIcons();
  QIcon icon;
  icon.addFile(QStringLiteral(":/tagsmit/tagsmit-32.png"));
  icon.addFile(QStringLiteral(":/tagsmit/tagsmit-48.png"));
  return icon;
}

QIcon VersionButtonIcon() {
  InitWindowIcons();
  return QIcon(QStringLiteral(":/tagsmit/version-20.png"));
}

}  // namespace tagsmit
