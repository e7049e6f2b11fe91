#include <shlobj.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/settings_file/config_folder.h"
#include "platform/win32_api/system_function.h"

namespace tagsmit {
namespace {

// An environment value that names an absolute folder, read as UTF-16 so that
// no character is lost to the code page; relative or empty values are ignored.
std::optional<std::filesystem::path> AbsoluteFromEnvironment(const wchar_t* name) {
  std::wstring value;
  for (DWORD size = 0;;) {
    value.resize(size);
    const DWORD needed = GetEnvironmentVariableW(name, value.data(), size);
    if (needed == 0) return std::nullopt;
    if (needed < size) {
      value.resize(needed);
      break;
    }
    size = needed;  // too small: this is the size with the closing NUL
  }
  std::filesystem::path path(value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

}  // namespace

// APPDATA as the user's session or a test sets it; the known folder otherwise,
// from the shell, which is loaded only then: it is a heavy load for a run.
Result<std::filesystem::path> UserConfigFolder() {
  if (auto appdata = AbsoluteFromEnvironment(L"APPDATA")) return *appdata;
  auto* known_folder =
      SystemFunction<decltype(SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
  auto* free_memory = SystemFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
  if (known_folder != nullptr && free_memory != nullptr) {
    PWSTR known = nullptr;
    const HRESULT found = known_folder(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &known);
    const std::unique_ptr<wchar_t, decltype(free_memory)> owned(known, free_memory);
    if (SUCCEEDED(found)) return std::filesystem::path(known);
  }
  return Result<std::filesystem::path>::Failure(
      "設定フォルダーがわかりません（APPDATA がありません）");
}

}  // namespace tagsmit
