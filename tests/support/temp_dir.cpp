#include "temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tagsmit::testing {
namespace {

#ifdef _WIN32
// Removes `folder` with all it holds. In the extended-length form it reaches
// folders of any depth, where std::filesystem stops.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry)) {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only, hidden
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileW(path.c_str());
    } else {
      RemoveTree(path);
    }
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  RemoveDirectoryW(folder.c_str());
}
#endif

}  // namespace

TempDir::~TempDir() {
#ifdef _WIN32
  RemoveTree(L"\\\\?\\" + path_.native());
#else
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
#endif
}

}  // namespace tagsmit::testing
