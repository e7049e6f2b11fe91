#include "platform/linux/module_entry.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

namespace tagsmit {

Result<void*> LoadModuleEntry(const char* path, const char* entry) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::string module = (program.parent_path() / path).lexically_normal().string();
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return Result<void*>::Failure(dlerror());
  void* function = dlsym(handle, entry);
  if (!function) return Result<void*>::Failure(module + " has no " + entry);
  return function;
}

}  // namespace tagsmit
