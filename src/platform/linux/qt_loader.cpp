#include "platform/linux/qt_loader.h"

#include <cstdio>
#include <cstdlib>

#include "platform/linux/module_entry.h"

namespace tagsmit {
namespace {

constexpr const char* kNoWindow = "cannot show a window: ";

// QT_QPA_PLATFORM (offscreen, wayland) leaves the display to Qt, and so does a
// Wayland session whose compositor answers (WAYLAND_DISPLAY may outlive it);
// otherwise Qt takes the X display.
bool QtChoosesDisplay(DisplayChoice& displays) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  return (platform && *platform) || displays.WaylandAnswers();
}

}  // namespace

QtFrontEnd* QtLoader::Get() {
  if (tried_) return front_end_;
  tried_ = true;
  // Qt gives up on the whole process when it finds no display, so look first.
  if (!QtChoosesDisplay(displays_)) {
    if (!x11_.Connected()) {
      error_ = kNoWindow + x11_.Error();
      return nullptr;
    }
    WatchDisplay();
  }
  const Result<void*> entry = LoadModuleEntry(kQtFrontEndPath, kQtFrontEndEntry);
  if (!entry.ok()) {
    error_ = "cannot load the window module: " + entry.error();
    return nullptr;
  }
  front_end_ = reinterpret_cast<QtFrontEndEntry>(entry.value())();  // Qt starts here
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
