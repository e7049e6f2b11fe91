#pragma once
// Output of the end-to-end tests' Windows tools: UTF-8 text on the handles
// the test script gave them.
#include <windows.h>

#include <string>
#include <string_view>

namespace tool {

inline void WriteUtf8(HANDLE to, std::wstring_view text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(to, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Says why on standard error, named by the tool; gives the exit status.
inline int Fail(std::wstring_view name, int status, std::wstring_view why) {
  WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), std::wstring(name) + L": " + std::wstring(why) + L"\n");
  return status;
}

}  // namespace tool
