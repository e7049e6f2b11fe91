// The end-to-end tests' view of Windows shortcuts (.lnk files), read through
// the shell's own IShellLinkW.
//
//   shortcut_tool show LNK         prints the target, a line feed, the arguments
//   shortcut_tool run LNK [FILE]   starts the shortcut as Explorer does when it
//                                  is opened (no FILE) or when FILE is sent to
//                                  it from the 送る (Send To) menu: the target
//                                  with the shortcut's arguments and FILE
//                                  (quoted), in its working folder; waits
//
// Wine's shortcuts take no drops, which is how Explorer hands a sent file
// over, so "run" starts the program as that drop does.
//
// Exit status: "run" the program's; otherwise 0; 2 bad usage, 3 the
// shortcut could not be read or its program not started.
#include <shlobj.h>
#include <windows.h>

#include <cwchar>
#include <string>

#include "tool_output.h"

namespace {

int Fail(int status, const std::wstring& why) {
  return tool::Fail(L"shortcut_tool", status, why);
}

struct Shortcut {
  std::wstring target;
  std::wstring arguments;
  std::wstring folder;
};

bool Read(const wchar_t* file, Shortcut& shortcut) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  IPersistFile* persist = nullptr;
  bool read = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)));
  read = read && SUCCEEDED(persist->Load(file, STGM_READ));
  wchar_t text[4 * MAX_PATH] = {};
  if (read && SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) shortcut.target = text;
  if (read && SUCCEEDED(link->GetArguments(text, 4 * MAX_PATH))) shortcut.arguments = text;
  if (read && SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) shortcut.folder = text;
  if (persist != nullptr) persist->Release();
  link->Release();
  return read && !shortcut.target.empty();
}

int Run(const Shortcut& shortcut, const wchar_t* file) {
  std::wstring command = L"\"" + shortcut.target + L"\"";
  if (!shortcut.arguments.empty()) command += L" " + shortcut.arguments;
  if (file != nullptr) {
    command += std::wcschr(file, L' ') == nullptr ? std::wstring(L" ") + file
                                                  : std::wstring(L" \"") + file + L"\"";
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      shortcut.folder.empty() ? nullptr : shortcut.folder.c_str(), &startup,
                      &process)) {
    return Fail(3, L"cannot start " + command);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 3;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool show = argc == 3 && std::wcscmp(argv[1], L"show") == 0;
  const bool run = (argc == 3 || argc == 4) && std::wcscmp(argv[1], L"run") == 0;
  if (!show && !run) return Fail(2, L"usage: shortcut_tool show LNK | run LNK [FILE]");
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Shortcut shortcut;
  if (!Read(argv[2], shortcut)) return Fail(3, std::wstring(L"cannot read ") + argv[2]);
  if (run) return Run(shortcut, argc == 4 ? argv[3] : nullptr);
  tool::WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), shortcut.target + L"\n" + shortcut.arguments);
  return 0;
}
