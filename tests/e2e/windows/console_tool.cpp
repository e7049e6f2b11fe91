// The end-to-end tests' console window: runs a program as a user starting it
// from cmd.exe would, in a console of its own and without redirection, and
// prints what the program wrote on that console (each line of the screen
// without its trailing blanks) as UTF-8.
//
//   console_tool PROGRAM [ARGUMENT...]   (arguments with blanks are quoted)
//
// Exit status: the program's, or 125 when the console or the program could
// not be started.
#include <windows.h>

#include <string>

#include "tool_output.h"

namespace {

constexpr int kCannotRun = 125;

int Fail(const std::wstring& why) {
  return tool::Fail(L"console_tool", kCannotRun, why);
}

std::wstring Quoted(const std::wstring& argument) {
  return argument.find(L' ') == std::wstring::npos ? argument : L"\"" + argument + L"\"";
}

// The screen's lines up to the cursor's, trailing blanks and empty last
// lines dropped.
std::wstring ScreenText(HANDLE screen) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(screen, &info)) return {};
  std::wstring text;
  std::wstring line(info.dwSize.X, L' ');
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, line.data(), info.dwSize.X, COORD{0, y}, &read);
    const std::size_t end = line.find_last_not_of(L' ', read == 0 ? 0 : read - 1);
    text += (end == std::wstring::npos ? L"" : line.substr(0, end + 1)) + L"\n";
  }
  while (text.ends_with(L"\n\n")) text.pop_back();
  return text == L"\n" ? L"" : text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Fail(L"usage: console_tool PROGRAM [ARGUMENT...]");
  // A new console takes over the standard handles; the script's stay ours.
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  FreeConsole();
  if (!AllocConsole()) return Fail(L"cannot make a console");
  const HANDLE screen =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);

  std::wstring command = Quoted(argv[1]);
  for (int i = 2; i < argc; ++i) command += L" " + Quoted(argv[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return Fail(L"cannot start " + command);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = kCannotRun;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  tool::WriteUtf8(output, ScreenText(screen));
  return static_cast<int>(status);
}
