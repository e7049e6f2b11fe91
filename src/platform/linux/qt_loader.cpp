#include "platform/linux/qt_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tagsmit {
namespace {

constexpr const char* kNoWindow = "cannot show a window: ";

// QT_QPA_PLATFORM (offscreen, wayland) and a Wayland session leave the
// display to Qt; otherwise Qt takes the X display.
bool QtChoosesDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (platform && *platform) || (wayland && *wayland);
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
  // Qt gives up on the whole process when it finds no display, so look first.
  if (!QtChoosesDisplay()) {
    if (!x11_.Connected()) {
      error_ = kNoWindow + x11_.Error();
      return nullptr;
    }
    WatchDisplay();
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
  front_end_ = entry();  // Qt starts here
  return front_end_;
}

void QtLoader::WatchDisplay() {
  // The session's connection may have outlived the server; ask it anew.
  Result<std::shared_ptr<x11::Connection>> display = x11::Connection::Open();
  if (!display.ok()) {
    // The display the run began with has gone: no window can show.
    std::fprintf(stderr, "tagsmit: %s%s\n", kNoWindow, display.error().c_str());
    std::exit(1);
  }
  guard_.emplace(std::move(display).value(), std::string("tagsmit: ") + kNoWindow +
                                                 "the X display \"" + std::getenv("DISPLAY") +
                                                 "\" has gone away");
}

}  // namespace tagsmit
