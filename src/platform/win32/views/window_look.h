#pragma once

#include <windows.h>

#include "window/control_spec.h"

namespace tagsmit::win32 {

// The dots per inch of the monitor that shows `window`: 96 on systems that
// cannot tell.
UINT WindowDpi(HWND window);

// The font of a control at `dpi`: the Japanese Gothic the windows are drawn
// for where it is installed, the nearest Japanese face of the system
// otherwise. The caller deletes it.
HFONT CreateControlFont(const FontSpec& spec, UINT dpi);

// The program's icon at `size` pixels square, or null when the program
// carries none. The caller destroys it.
HICON LoadProgramIcon(int size);

// Enters (true) or leaves (false) the topmost band, keeping place and size
// and showing the window.
void SetWindowOnTop(HWND window, bool on_top);

}  // namespace tagsmit::win32
