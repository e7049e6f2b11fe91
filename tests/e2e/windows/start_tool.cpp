// The end-to-end tests' stand-in for a user who starts a program from a
// console window or from a shortcut:
//
//   start_tool console PROGRAM [ARGUMENT...]
//       runs PROGRAM in a console of its own, without redirection, as from
//       cmd.exe; prints what it wrote there (the screen's lines to the
//       cursor's, without trailing blanks)
//   start_tool shortcut LNK [FILE...]
//       prints the shortcut's target and arguments, a line each, and runs it
//       as Explorer does when it is opened, or when the FILEs are sent to it
//       from the 送る (Send To) menu: the target with the arguments and each
//       FILE (quoted when it holds blanks), in the shortcut's working folder.
//       Wine's shortcuts take no drops, which is how Explorer hands sent
//       files over.
//
// Exit status: the program's; 125 when it could not be started.
#include <shlobj.h>
#include <windows.h>

#include <cwchar>
#include <string>

#include "tool_output.h"

namespace {

constexpr int kCannotStart = 125;

int Fail(const std::wstring& why) {
  return tool::Fail(L"start_tool", kCannotStart, why);
}

std::wstring Quoted(const std::wstring& argument) {
  return argument.find(L' ') == std::wstring::npos ? argument : L"\"" + argument + L"\"";
}

int RunToItsEnd(std::wstring command, const wchar_t* folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &process)) {
    return Fail(L"cannot start " + command);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = kCannotStart;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

int InConsole(int argc, wchar_t** argv) {
  // A new console takes over the standard handles; the script's stay ours.
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  FreeConsole();
  if (!AllocConsole()) return Fail(L"cannot make a console");
  std::wstring command = Quoted(argv[2]);
  for (int i = 3; i < argc; ++i) command += L" " + Quoted(argv[i]);
  const int status = RunToItsEnd(command, nullptr);

  const HANDLE screen =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(screen, &info);
  std::wstring text;
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    std::wstring line(info.dwSize.X, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, line.data(), info.dwSize.X, COORD{0, y}, &read);
    line.erase(line.find_last_not_of(L' ') + 1);
    if (!line.empty()) text += line + L"\n";
  }
  tool::WriteUtf8(output, text);
  return status;
}

int ByShortcut(const wchar_t* file, wchar_t** sent, int sent_count) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* persist = nullptr;
  wchar_t target[MAX_PATH] = {};
  wchar_t arguments[MAX_PATH] = {};
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))) ||
      FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) ||
      FAILED(persist->Load(file, STGM_READ)) ||
      FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) ||
      FAILED(link->GetArguments(arguments, MAX_PATH)) ||
      FAILED(link->GetWorkingDirectory(folder, MAX_PATH))) {
    return Fail(std::wstring(L"cannot read ") + file);
  }
  tool::WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE),
                  std::wstring(target) + L"\n" + arguments + L"\n");
  std::wstring command = L"\"" + std::wstring(target) + L"\"";
  if (*arguments != L'\0') command += std::wstring(L" ") + arguments;
  for (int i = 0; i < sent_count; ++i) command += L" " + Quoted(sent[i]);
  return RunToItsEnd(command, *folder != L'\0' ? folder : nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wcscmp(argv[1], L"console") == 0) return InConsole(argc, argv);
  if (argc >= 3 && std::wcscmp(argv[1], L"shortcut") == 0) {
    return ByShortcut(argv[2], argv + 3, argc - 3);
  }
  return Fail(L"usage: start_tool console PROGRAM [ARGUMENT...] | shortcut LNK [FILE...]");
}
