#include "platform/win32/clipboard.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "platform/win32_api/utf16.h"
#include "platform/win32_api/windows_text.h"

namespace tagsmit {
namespace {

// About a second in all.
constexpr DWORD kRetryPause = 20;  // ms
constexpr int kOpenAttempts = 50;

// What failed, and the system's reason.
std::string Described(const std::string& what, DWORD error) {
  return what + "（" + SystemErrorText(error) + "）";
}

// A window class of the program's own for the clipboard's owner. The
// manifest redirects the system's classes (STATIC and the like) to the common
// controls, version 6: a window of one of them would load those and the theme
// library into a run that shows no window.
// Registered on first use; a class that could not be registered makes the
// window fail, which names the error.
const wchar_t* OwnerWindowClass() {
  static constexpr wchar_t kName[] = L"TagsmitClipboardOwner";
  static const ATOM registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kName;
    return RegisterClassExW(&window_class);
  }();
  static_cast<void>(registered);
  return kName;
}

// The clipboard, open for the lifetime of the object. The clipboard belongs
// to the window that opens it; a message-only window of our own keeps
// SetClipboardData from failing for want of an owner.
class OpenClipboardScope {
 public:
  OpenClipboardScope() {
    owner_ = CreateWindowExW(0, OwnerWindowClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (owner_ == nullptr) {
      error_ = Described("クリップボード用のウィンドウを作れません", GetLastError());
      return;
    }
    for (int attempt = 1; !(open_ = OpenClipboard(owner_) != FALSE); ++attempt) {
      if (attempt == kOpenAttempts) {
        error_ = Described("ほかのプログラムがクリップボードを使用中です", GetLastError());
        return;
      }
      Sleep(kRetryPause);
    }
  }
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
    if (owner_ != nullptr) DestroyWindow(owner_);
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

  bool ok() const { return open_; }
  const std::string& error() const { return error_; }

 private:
  HWND owner_ = nullptr;
  bool open_ = false;
  std::string error_;
};

// Moveable global memory holding `text` and its closing NUL, as
// SetClipboardData takes it; null when memory runs out or cannot be locked.
HGLOBAL GlobalText(std::wstring_view text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return nullptr;
  auto* data = static_cast<wchar_t*>(GlobalLock(memory));
  if (data == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
  data[text.size()] = L'\0';
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

Status PutClipboardText(const std::string& text) {
  const OpenClipboardScope clipboard;
  if (!clipboard.ok()) return Status::Failure(clipboard.error());
  if (!EmptyClipboard()) {
    return Status::Failure(Described("クリップボードを空にできません", GetLastError()));
  }
  const HGLOBAL memory = GlobalText(ToWindowsText(text));
  if (memory == nullptr) {
    return Status::Failure(
        Described("クリップボードに置く文字列のメモリがありません", GetLastError()));
  }
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
    const DWORD error = GetLastError();
    GlobalFree(memory);  // still ours: the clipboard did not take it
    return Status::Failure(Described("クリップボードに文字列を置けません", error));
  }
  return Status::Ok();
}

Result<std::string> GetClipboardText() {
  const OpenClipboardScope clipboard;
  using Text = Result<std::string>;
  if (!clipboard.ok()) return Text::Failure(clipboard.error());
  const HANDLE memory = GetClipboardData(CF_UNICODETEXT);
  if (memory == nullptr) return Text::Failure("クリップボードに文字列がありません");
  const auto* data = static_cast<const wchar_t*>(GlobalLock(memory));
  if (data == nullptr) {
    return Text::Failure(Described("クリップボードの文字列を読めません", GetLastError()));
  }
  // Another program may have put text without its closing NUL: the block's
  // size bounds the reading.
  const std::size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
  const std::wstring_view text(data, wcsnlen(data, capacity));
  std::string result = FromWindowsText(text);
  GlobalUnlock(memory);
  return result;
}

}  // namespace tagsmit
