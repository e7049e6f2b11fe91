#include <windows.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "platform/settings_file/settings_folder.h"
#include "platform/win32_api/long_path.h"
#include "platform/win32_api/utf16.h"

namespace tagsmit {
namespace {

// Temporary files are named after their file with this infix, so that the
// leftovers of killed saves can be told from every other file in the folder.
constexpr std::wstring_view kTemporaryInfix = L".tmp-";

// Folders cannot be locked on Windows, so a file in the folder stands for it.
// It stays there: a process that ends, killed or not, releases its lock with
// its handles, and the next save takes it as it is.
constexpr std::wstring_view kLockFile = L"settings.lock";

Status SystemFailure(DWORD error) {
  return Status::Failure(SystemErrorText(error));
}

// `path` as the system takes it at any length.
std::wstring Native(const std::filesystem::path& path) {
  return SystemPath(path.native());
}

// Creates `folder` and its missing parents. They inherit the access rights of
// the folder that holds them, which under APPDATA are the user's alone.
Status MakeFolders(const std::filesystem::path& folder) {
  if (CreateDirectoryW(Native(folder).c_str(), nullptr)) return Status::Ok();
  DWORD error = GetLastError();
  if (error == ERROR_PATH_NOT_FOUND && folder.has_relative_path() &&
      folder.parent_path() != folder) {
    if (Status parent = MakeFolders(folder.parent_path()); !parent.ok()) return parent;
    if (CreateDirectoryW(Native(folder).c_str(), nullptr)) return Status::Ok();
    error = GetLastError();
  }
  if (error == ERROR_ALREADY_EXISTS) {
    const DWORD attributes = GetFileAttributesW(Native(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return Status::Ok();
    }
    error = ERROR_DIRECTORY;
  }
  return SystemFailure(error);
}

// Under the lock no other save is under way, so every temporary file of
// `path` in the folder is what a killed save left.
void RemoveLeftovers(const std::filesystem::path& path) {
  const std::wstring prefix = path.filename().wstring() + std::wstring(kTemporaryInfix);
  const std::filesystem::path pattern = path.parent_path() / (prefix + L'*');
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileExW(Native(pattern).c_str(), FindExInfoBasic, &entry,
                                       FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    // The pattern also matches short 8.3 names; only the long name counts.
    if (std::wstring_view(entry.cFileName).starts_with(prefix)) {
      DeleteFileW(Native(path.parent_path() / entry.cFileName).c_str());
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

// Whether there is a file to open at `native`, as far as the system says
// without opening it; why not (ReadWholeFile's failures) otherwise.
Status LookAt(const std::wstring& native) {
  const DWORD attributes = GetFileAttributesW(native.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return Status::Failure(kNoFile, ErrorKind::kNotFound);
    }
    return Status::Failure(SystemErrorText(error));
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return Status::Failure(kNotAFile, ErrorKind::kNotAFile);
  }
  return Status::Ok();
}

// A new, empty file beside `path` that no one else has open.
HANDLE CreateTemporary(const std::filesystem::path& path, std::wstring& name) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::uniform_int_distribution<std::size_t> letter(0, std::size(kLetters) - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = path.native() + std::wstring(kTemporaryInfix);
    for (int k = 0; k < 6; ++k) name += kLetters[letter(random)];
    const HANDLE file = CreateFileW(SystemPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

Status WriteAll(HANDLE file, std::string_view contents) {
  while (!contents.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), piece, &written, nullptr)) {
      return SystemFailure(GetLastError());
    }
    contents.remove_prefix(written);
  }
  if (!FlushFileBuffers(file)) return SystemFailure(GetLastError());
  return Status::Ok();
}

// Writes the temporary file and puts it in place of `path`; the caller
// removes the temporary file when this fails.
Status WriteAndMove(HANDLE file, const std::wstring& temporary, const std::filesystem::path& path,
                    std::string_view contents) {
  Status written = WriteAll(file, contents);
  if (!CloseHandle(file) && written.ok()) written = SystemFailure(GetLastError());
  if (!written.ok()) return written;
  // While anyone reads the file (another run of the program, a virus
  // scanner), it cannot be replaced; readers hold it for a moment only.
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(SystemPath(temporary).c_str(), Native(path).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return Status::Ok();
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 100) {
      return SystemFailure(error);
    }
    Sleep(20);
  }
}

}  // namespace

std::filesystem::path FollowLinks(const std::filesystem::path& path) {
  return path;
}

bool FileMissing(const std::filesystem::path& path) {
  const Status seen = LookAt(Native(path));
  return !seen.ok() && seen.kind() == ErrorKind::kNotFound;
}

Result<std::string> ReadWholeFile(const std::filesystem::path& path) {
  const std::wstring native = Native(path);
  if (Status seen = LookAt(native); !seen.ok()) {
    return Result<std::string>::Failure(seen.error(), seen.kind());
  }
  const HANDLE file = CreateFileW(native.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return Result<std::string>::Failure(SystemErrorText(GetLastError()));
  }
  Result<std::string> contents{std::string()};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    contents = Result<std::string>::Failure(kNotAFile, ErrorKind::kNotAFile);
  } else {
    char buffer[1 << 16];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
        contents = Result<std::string>::Failure(SystemErrorText(GetLastError()));
        break;
      }
      if (got == 0) break;  // the end
      contents.value().append(buffer, got);
    }
  }
  CloseHandle(file);
  return contents;
}

Result<FolderLock> FolderLock::Take(const std::filesystem::path& folder) {
  if (Status made = MakeFolders(folder); !made.ok())
    return Result<FolderLock>::Failure(made.error());
  const std::filesystem::path lock_file = folder / kLockFile;
  const HANDLE file = CreateFileW(Native(lock_file).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return Result<FolderLock>::Failure(SystemErrorText(GetLastError()));
  // Waiting in the system's queue, rather than polling, keeps a process that
  // saves again and again from starving the other; a save takes milliseconds.
  OVERLAPPED whole_file{};
  const bool locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole_file);
  return FolderLock(file, locked);  // not locked: the file system has no locks
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)), locked_(other.locked_) {}

FolderLock::~FolderLock() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  // Closing would release the lock too, but only when the system gets to it.
  if (locked_) {
    OVERLAPPED whole_file{};
    UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &whole_file);
  }
  CloseHandle(handle_);
}

Status ReplaceFileAtomically(const FolderLock& lock, const std::filesystem::path& path,
                             std::string_view contents) {
  // Without a lock another save may be writing its temporary file right now.
  if (lock.locked_) RemoveLeftovers(path);

  std::wstring temporary;
  const HANDLE file = CreateTemporary(path, temporary);
  if (file == INVALID_HANDLE_VALUE) return SystemFailure(GetLastError());
  Status replaced = WriteAndMove(file, temporary, path, contents);
  if (!replaced.ok()) DeleteFileW(SystemPath(temporary).c_str());
  return replaced;
}

Status KeepUnder(const std::filesystem::path& path, const std::filesystem::path& copy) {
  if (CreateHardLinkW(Native(copy).c_str(), Native(path).c_str(), nullptr)) return Status::Ok();
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    return Status::Failure(SystemErrorText(ERROR_ALREADY_EXISTS), ErrorKind::kTaken);
  }
  if (CopyFileW(Native(path).c_str(), Native(copy).c_str(), TRUE)) return Status::Ok();
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
    return Status::Failure(SystemErrorText(error), ErrorKind::kTaken);
  }
  DeleteFileW(Native(copy).c_str());  // a partial copy
  return Status::Failure(SystemErrorText(error));
}

void RemoveKept(const std::filesystem::path& copy) {
  DeleteFileW(Native(copy).c_str());
}

}  // namespace tagsmit
