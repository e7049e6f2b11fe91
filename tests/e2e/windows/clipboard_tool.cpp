// The end-to-end tests' witness of the Windows clipboard: Wine keeps its
// clipboard in its server and hands nothing to X11, so the tests read and set
// it from a Windows program under the same server.
//
//   clipboard_tool get        prints the CF_UNICODETEXT text as UTF-8
//   clipboard_tool set TEXT   puts TEXT on the clipboard as CF_UNICODETEXT
//
// Exit status: 0 done, 1 no text on the clipboard, 2 bad usage, 3 the
// clipboard could not be used.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "tool_output.h"

namespace {

int Fail(int status, const std::wstring& why) {
  return tool::Fail(L"clipboard_tool", status, why);
}

// Another process may hold the clipboard for a moment.
bool Open() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(20);
  }
  return false;
}

int Get() {
  if (!Open()) return Fail(3, L"cannot open the clipboard");
  int status = 1;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      tool::WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), text);
      GlobalUnlock(data);
      status = 0;
    }
  }
  CloseClipboard();
  return status == 0 ? 0 : Fail(1, L"no text on the clipboard");
}

int Set(const wchar_t* text) {
  const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (data == nullptr) return Fail(3, L"out of memory");
  std::memcpy(GlobalLock(data), text, bytes);
  GlobalUnlock(data);
  if (!Open()) {
    GlobalFree(data);
    return Fail(3, L"cannot open the clipboard");
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
  CloseClipboard();
  if (set) return 0;  // the clipboard owns the memory now
  GlobalFree(data);
  return Fail(3, L"cannot set the clipboard");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wcscmp(argv[1], L"get") == 0) return Get();
  if (argc == 3 && std::wcscmp(argv[1], L"set") == 0) return Set(argv[2]);
  return Fail(2, L"usage: clipboard_tool get | set TEXT");
}
