#include "platform/win32_api/long_path.h"

#include <windows.h>

namespace tagsmit {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
constexpr std::size_t kLongest = MAX_PATH - 12 - 1;

// The full path the system makes of `path`, or nothing when it cannot.
std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length < full.size()) {  // 0 on failure
      full.resize(length);
      return full;
    }
    full.resize(length);  // what it needs, its closing NUL included
  }
}

}  // namespace

std::wstring SystemPath(std::wstring_view path) {
  std::wstring given(path);
  if (path.starts_with(kLongPrefix) || path.starts_with(kDevicePrefix)) return given;
  const std::wstring full = FullPath(given);
  if (full.size() <= kLongest || full.starts_with(kDevicePrefix)) return given;
  if (full.starts_with(L"\\\\")) return std::wstring(kLongPrefix) + L"UNC" + full.substr(1);
  return std::wstring(kLongPrefix) + full;
}

std::wstring_view WithoutLongPathPrefix(std::wstring_view path) {
  if (path.starts_with(kLongPrefix)) path.remove_prefix(kLongPrefix.size());
  return path;
}

}  // namespace tagsmit
