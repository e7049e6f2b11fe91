#pragma once

#include <windows.h>

namespace tagsmit {

// A function of a system DLL, loaded on first use, or null where the system
// lacks it. For DLLs that a run without a window must not load (the window
// libraries and the shell), and for functions that older Windows versions
// lack. The DLL stays loaded: the program is short-lived.
template <typename Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (module == nullptr) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  // Through the generic function type, which converts to any other.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace tagsmit
