#include "platform/win32/win32_standard_streams.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "platform/win32_api/utf16.h"
#include "platform/win32_api/windows_text.h"

namespace tagsmit {
namespace {

// Older consoles refuse large writes; pieces never split a surrogate pair.
constexpr std::size_t kConsolePiece = 8192;
constexpr std::size_t kFilePiece = std::size_t{1} << 20;

Status LastErrorStatus() {
  return Status::Failure(SystemErrorText(GetLastError()));
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != FALSE;
}

Status WriteConsoleText(HANDLE console, std::wstring_view text) {
  while (!text.empty()) {
    const std::size_t size = Utf16Piece(text, kConsolePiece);
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(size), &written, nullptr) ||
        written == 0) {
      return LastErrorStatus();
    }
    text.remove_prefix(written);
  }
  return Status::Ok();
}

Status WriteBytes(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto size = static_cast<DWORD>(std::min(bytes.size(), kFilePiece));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written == 0) {
      return LastErrorStatus();
    }
    bytes.remove_prefix(written);
  }
  return Status::Ok();
}

}  // namespace

Win32StandardStreams::Win32StandardStreams()
    : out_(Open(STD_OUTPUT_HANDLE)), err_(Open(STD_ERROR_HANDLE)) {}

Win32StandardStreams::~Win32StandardStreams() {
  for (const Stream& stream : {out_, err_}) {
    if (stream.owned) CloseHandle(stream.handle);
  }
}

Win32StandardStreams::Stream Win32StandardStreams::Open(unsigned long which) {
  const HANDLE given = GetStdHandle(which);
  if (given != nullptr && given != INVALID_HANDLE_VALUE) {
    const DWORD type = GetFileType(given);
    // A console's handle serves only a process attached to that console; a
    // device that is no console (NUL) takes bytes like a file.
    if (type == FILE_TYPE_CHAR && !IsConsole(given)) AttachConsole(ATTACH_PARENT_PROCESS);
    if (IsConsole(given)) return {given, true, false};
    if (type != FILE_TYPE_UNKNOWN) return {given, false, false};
  }
  // Started from a console without redirection. Attaching fails when the
  // process has a console already (the other stream attached it), or when
  // its parent has none (Explorer): then there is nowhere to write.
  AttachConsole(ATTACH_PARENT_PROCESS);
  const HANDLE console =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return {};
  return {console, true, true};
}

Status Win32StandardStreams::Write(const Stream& stream, std::string_view text) {
  if (stream.handle == nullptr) return Status::Failure(SystemErrorText(ERROR_INVALID_HANDLE));
  const std::wstring windows_text = ToWindowsText(text);
  if (stream.console) return WriteConsoleText(stream.handle, windows_text);
  return WriteBytes(stream.handle, Utf8FromUtf16(windows_text));
}

Status Win32StandardStreams::Out(std::string_view text) {
  return Write(out_, text);
}

void Win32StandardStreams::Err(std::string_view text) {
  // Nowhere left to report that standard error failed.
  static_cast<void>(Write(err_, text));
}

void Win32StandardStreams::WriteError(std::string_view text) {
  const Stream err = Open(STD_ERROR_HANDLE);
  static_cast<void>(Write(err, text));
  if (err.owned) CloseHandle(err.handle);
}

}  // namespace tagsmit
