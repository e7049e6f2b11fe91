#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QWidget>

#include "window/twips.h"

namespace tagsmit {

// A place in twips in pixels at the logical resolution of the widget's screen.
QRect PlaceInPixels(const QWidget& widget, const TwipsRect& place);

// Fonts of the windows at 9 points: the proportional Gothic of the controls
// and the fixed-pitch one of the paste strings and paths, each with a font
// of this desktop standing in when the Windows font is not installed.
QFont ControlFont();
QFont FixedFont();

// The frame every window of ours shares: a fixed-size dialog with a title and
// a close box, in the control font, its client area given in twips.
void SetUpFixedWindow(QWidget& window, TwipsSize client, Qt::WindowFlags extra_flags = {});

// Enters (true) or leaves (false) the band of windows kept above all others,
// keeping place and size, and shows the window.
void SetWindowOnTop(QWidget& window, bool on_top);

QIcon ApplicationIcon();
QIcon VersionButtonIcon();

}  // namespace tagsmit
