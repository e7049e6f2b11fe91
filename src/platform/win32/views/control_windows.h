#pragma once

#include <windows.h>

#include "window/control_spec.h"

namespace tagsmit::win32 {

// The child window for one control of a table, of the standard class its
// kind calls for, with its caption; without a place until it is placed.
HWND CreateControlWindow(HWND parent, int id, const ControlLook& look, bool is_default);

// Puts the control at `place` in its `font`: a closed drop-down list just as
// high unless its font needs more, a directory list with lines of the font's
// height. `client` is the size of the window's client area.
void PlaceControlWindow(HWND control, ControlKind kind, const PixelRect& place, HFONT font,
                        PixelSize client);

// The pixels a label's text needs in `font`, unwrapped, as the label draws it.
PixelSize LabelTextSize(HWND label, HFONT font);

// Draws one line of a directory list, indented by its depth (the line's data).
void DrawDirectoryEntry(const DRAWITEMSTRUCT& item, UINT dpi);

}  // namespace tagsmit::win32
