#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/win32/win32_byte_reader.h"
#include "platform/win32_api/long_path.h"
#include "platform/win32_api/utf16.h"

namespace tagsmit {
namespace {

enum class Matching { kFilesOnly, kFilesAndDirectories };

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// A path the API would take for another (a pattern, or cut short at a NUL).
// The "?" of the extended-length prefix \\?\ is no wildcard.
bool IsPlainName(std::wstring_view path) {
  const std::wstring_view name = WithoutLongPathPrefix(path);
  return !name.empty() && name.find_first_of(std::wstring_view(L"*?<>\"\0", 6)) == name.npos;
}

// "C:\Web\", "C:\" and "C:" stand for a folder, not an entry in one.
bool NamesFolder(std::wstring_view path) {
  return IsSeparator(path.back()) || (path.size() == 2 && path[1] == L':');
}

// ".", ".." (and "..." and so on, whose dots Windows strips) name the folder
// or its parent, never an entry of it: Windows would answer with the folder's
// own name, and a path rebuilt from the answers would gain a component.
bool EndsInDotsOnly(std::wstring_view path) {
  const std::size_t last = path.find_last_of(L"\\/:");
  const std::wstring_view name = last == path.npos ? path : path.substr(last + 1);
  return name.find_first_not_of(L'.') == name.npos;
}

bool IsVisible(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool IsDirectoryEntry(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder's path ending in a separator. A bare drive stands for its root, as
// the resolved form of a root ("C:") is a bare drive.
std::wstring AsFolder(std::wstring path) {
  if (!IsSeparator(path.back())) path += L'\\';
  return path;
}

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Calls `visit` with each entry that `pattern` matches until it returns true.
template <typename Visit>
void VisitMatches(const std::wstring& pattern, FINDEX_SEARCH_OPS search, Visit visit) {
  WIN32_FIND_DATAW entry;
  const HANDLE find =
      FindFirstFileExW(SystemPath(pattern).c_str(), FindExInfoBasic, &entry, search, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return;
  while (!visit(entry) && FindNextFileW(find, &entry)) {
  }
  FindClose(find);
}

bool IsExistingFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string Lookup(const std::string& path, Matching matching) {
  const std::wstring wide = Utf16FromUtf8(path);
  if (!IsPlainName(wide)) return {};
  // A file is named whatever its marks: the name of a hidden file is no less
  // its name. Walking a path, hidden and system entries are not matched.
  const auto acceptable = [matching](const WIN32_FIND_DATAW& entry) {
    return matching == Matching::kFilesOnly ? !IsDirectoryEntry(entry) : IsVisible(entry);
  };
  std::string name;
  if (!NamesFolder(wide)) {
    if (EndsInDotsOnly(wide)) return {};
    // Without wildcards the pattern matches one entry, by its long name or
    // its short alias; the entry tells its long name as stored.
    VisitMatches(wide, FindExSearchNameMatch, [&](const WIN32_FIND_DATAW& entry) {
      if (acceptable(entry)) name = Utf8FromUtf16(entry.cFileName);
      return true;
    });
    return name;
  }
  if (matching == Matching::kFilesOnly) return {};
  const std::wstring folder = AsFolder(wide);
  VisitMatches(folder + L'*', FindExSearchNameMatch, [&](const WIN32_FIND_DATAW& entry) {
    if (acceptable(entry)) name = Utf8FromUtf16(entry.cFileName);
    return !name.empty();
  });
  // A root lists no "." of its own; when it exists, it still answers.
  if (name.empty() && IsExistingFolder(folder)) name = ".";
  return name;
}

OpenedFile Failed(DWORD error) {
  // A missing folder is ERROR_PATH_NOT_FOUND; only a missing last name is this.
  return OpenedFile::Failure(SystemErrorText(error), error == ERROR_FILE_NOT_FOUND
                                                         ? ErrorKind::kNotFound
                                                         : ErrorKind::kOther);
}

}  // namespace

OpenedFile Win32FileSystem::OpenForReading(const std::string& path) {
  const std::wstring wide = Utf16FromUtf8(path);
  if (!IsPlainName(wide) || IsSeparator(wide.back())) return Failed(ERROR_INVALID_NAME);
  const HANDLE file = CreateFileW(SystemPath(wide).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(GetLastError());
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return Failed(ERROR_BAD_FILE_TYPE);
  }
  return OpenedFile(
      std::make_unique<Win32ByteReader>(file, static_cast<std::uint64_t>(size.QuadPart)));
}

std::string Win32FileSystem::LookupFileName(const std::string& path) {
  return Lookup(path, Matching::kFilesOnly);
}

std::string Win32FileSystem::LookupEntryName(const std::string& path) {
  return Lookup(path, Matching::kFilesAndDirectories);
}

std::vector<std::string> Win32FileSystem::FileNamesStartingWith(const std::string& path) {
  std::vector<std::string> names;
  const std::wstring wide = Utf16FromUtf8(path);
  if (!IsPlainName(wide) || NamesFolder(wide) || EndsInDotsOnly(wide)) return names;
  const std::size_t separator = wide.find_last_of(L"\\/:");
  const std::wstring start = separator == wide.npos ? wide : wide.substr(separator + 1);
  // The pattern matches short aliases as well, so each long name is checked.
  VisitMatches(wide + L'*', FindExSearchNameMatch, [&](const WIN32_FIND_DATAW& entry) {
    const std::wstring_view name = entry.cFileName;
    if (!IsDirectoryEntry(entry) && name.size() >= start.size() &&
        CompareStringOrdinal(name.data(), static_cast<int>(start.size()), start.c_str(),
                             static_cast<int>(start.size()), TRUE) == CSTR_EQUAL) {
      names.push_back(Utf8FromUtf16(name));
    }
    return false;
  });
  return names;
}

std::string Win32FileSystem::CurrentDirectory() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return Utf8FromUtf16(buffer);
    }
    buffer.resize(length);  // what it needs, its closing NUL included
  }
}

bool Win32FileSystem::IsDirectory(const std::string& path) {
  const std::wstring wide = Utf16FromUtf8(path);
  return IsPlainName(wide) && IsExistingFolder(wide);
}

std::vector<std::string> Win32FileSystem::Drives() {
  std::wstring buffer(GetLogicalDriveStringsW(0, nullptr), L'\0');
  buffer.resize(GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data()));
  std::vector<std::string> drives;
  // "A:\", NUL, "C:\", NUL, ...
  for (std::size_t at = 0; at < buffer.size();) {
    const std::size_t end = std::min(buffer.find(L'\0', at), buffer.size());
    if (end > at) drives.push_back(Utf8FromUtf16(std::wstring_view(buffer).substr(at, end - at)));
    at = end + 1;
  }
  std::sort(drives.begin(), drives.end());
  return drives;
}

std::vector<std::string> Win32FileSystem::Subdirectories(const std::string& path) {
  const std::wstring folder = Utf16FromUtf8(path);
  if (!IsPlainName(folder)) return {};
  std::vector<std::wstring> names;
  VisitMatches(
      AsFolder(folder) + L'*', FindExSearchLimitToDirectories, [&](const WIN32_FIND_DATAW& entry) {
        // Limiting to directories is a hint that file systems may ignore.
        if (IsDirectoryEntry(entry) && IsVisible(entry) && !IsDotOrDotDot(entry.cFileName)) {
          names.emplace_back(entry.cFileName);
        }
        return false;
      });
  const auto compare = [](const std::wstring& a, const std::wstring& b, BOOL ignore_case) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), ignore_case);
  };
  std::sort(names.begin(), names.end(), [&](const std::wstring& a, const std::wstring& b) {
    const int folded = compare(a, b, TRUE);
    return folded != CSTR_EQUAL ? folded == CSTR_LESS_THAN : compare(a, b, FALSE) == CSTR_LESS_THAN;
  });
  std::vector<std::string> result;
  result.reserve(names.size());
  for (const std::wstring& name : names) result.push_back(Utf8FromUtf16(name));
  return result;
}

}  // namespace tagsmit
