// The smallest program that does a Tagsmit run's visible work on Windows: it
// puts the text of CLIPBOARD_TEXT on the clipboard as CF_UNICODETEXT and
// ends. A GUI program linked statically, as Tagsmit.exe is, so that the two
// differ in what Tagsmit does beyond that (settings, image, what it loads).
// The text comes through the environment, which Wine hands over untouched.
// It opens the clipboard without an owner window, which Wine accepts and
// Windows does not (SetClipboardData fails there): the cheapest setter, so the
// strictest measure for Tagsmit.exe, which creates one.
#include <windows.h>

#include <cstring>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t text[4096];
  const DWORD length = GetEnvironmentVariableW(L"CLIPBOARD_TEXT", text, 4096);
  if (length == 0 || length >= 4096) return 2;
  const std::size_t bytes = (length + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return 1;
  std::memcpy(GlobalLock(memory), text, bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return set ? 0 : 1;
}
