#include "platform/linux/qt_loader.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

namespace tagsmit {
namespace {

// Qt gives up on the whole process when it finds no display, so look first
// (a WAYLAND_DISPLAY may outlive its compositor); QT_QPA_PLATFORM (offscreen,
// wayland) leaves the choice to Qt.
bool DisplayAvailable(x11::Session& x11, wayland::Session& wayland) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  return (platform && *platform) || wayland.Connected() || x11.Connected();
}

std::filesystem::path ModulePath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return (program.parent_path() / kQtFrontEndPath).lexically_normal();
}

}  // namespace

QtFrontEnd* QtLoader::Get() {
  if (tried_) return front_end_;
  tried_ = true;
  if (!DisplayAvailable(x11_, wayland_)) {
    error_ = "cannot show a window: " + x11_.Error();
    return nullptr;
  }
  const std::string path = ModulePath().string();
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    error_ = std::string("cannot load the window module: ") + dlerror();
    return nullptr;
  }
  auto entry = reinterpret_cast<QtFrontEndEntry>(dlsym(module, kQtFrontEndEntry));
  if (!entry) {
    error_ = "cannot load the window module: " + path + " has no " + kQtFrontEndEntry;
    return nullptr;
  }
  front_end_ = entry();
  return front_end_;
}

}  // namespace tagsmit
