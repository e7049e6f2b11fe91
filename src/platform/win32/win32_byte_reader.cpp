#include "platform/win32/win32_byte_reader.h"

#include <windows.h>

#include <algorithm>

namespace tagsmit {

Win32ByteReader::~Win32ByteReader() {
  CloseHandle(file_);
}

std::size_t Win32ByteReader::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  // The offset of a synchronous handle's read comes in its OVERLAPPED.
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(out.size(), MAXDWORD));
  DWORD got = 0;
  // At the end of the file the read fails with ERROR_HANDLE_EOF.
  if (!ReadFile(file_, out.data(), wanted, &got, &at)) return 0;
  return got;
}

}  // namespace tagsmit
