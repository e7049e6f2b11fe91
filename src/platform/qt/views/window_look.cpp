#include "platform/qt/views/window_look.h"

#include <QFontDatabase>
#include <QScreen>
#include <QStringList>
#include <QWindow>

#include "window/font_faces.h"

// Outside any namespace, as Qt's resource macro needs.
static void InitWindowIcons() {
  static bool done = false;
  if (done) return;
  Q_INIT_RESOURCE(icons);
  done = true;
}

namespace tagsmit {

namespace {

QStringList Families(FontFace face) {
  QStringList families;
  for (const char* name : FaceNames(face)) families << QString::fromUtf8(name);
  return families;
}

double LogicalDpi(const QWidget& widget) {
  const QScreen* screen = widget.screen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

QRect PlaceInPixels(const QWidget& widget, const TwipsRect& place) {
  const PixelRect pixels = TwipsToPixels(place, LogicalDpi(widget));
  return {pixels.left, pixels.top, pixels.width, pixels.height};
}

void SetUpFixedWindow(QWidget& window, TwipsSize client, Qt::WindowFlags extra_flags) {
  window.setFont(ControlFont());
  window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint | extra_flags);
  const double dpi = LogicalDpi(window);
  window.setFixedSize(TwipsToPixels(client.width, dpi), TwipsToPixels(client.height, dpi));
}

QFont ControlFont() {
  QFont font;
  font.setFamilies(Families(FontFace::Proportional));
  font.setPointSize(9);
  return font;
}

QFont FixedFont() {
  // Without any of the faces the desktop's fixed font stands in.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies(Families(FontFace::Fixed) << font.family());
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(9);
  return font;
}

void SetWindowOnTop(QWidget& window, bool on_top) {
  // Told to the window system directly: setting the widget's flags would
  // hide and re-create a window that is already on screen.
  Qt::WindowFlags flags = window.windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
  window.overrideWindowFlags(flags);
  if (QWindow* handle = window.windowHandle()) handle->setFlags(flags);
  window.show();
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
