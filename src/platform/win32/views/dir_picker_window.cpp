#include "platform/win32/views/dir_picker_window.h"

#include "platform/win32_api/windows_text.h"
#include "settings_window/settings_texts.h"

namespace tagsmit::win32 {

DirPickerWindow::DirPickerWindow(HWND owner)
    : ModalTableWindow(kPickerWindow, owner, settings_text::kPickerCaption) {}

// Each line keeps its depth for the indentation the list draws.
void DirPickerWindow::ShowDirectories(const DirListing& listing) {
  const HWND list = Control(PickerControl::dirListBox);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const DirEntry& entry : listing.entries) {
    const auto line = SendMessageW(list, LB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(ToWindowsText(entry.name).c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(line), entry.depth);
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(listing.current), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace tagsmit::win32
