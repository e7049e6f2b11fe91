#include "platform/linux/qt_loader.h"

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
    if (Status reached = x11_.Connect(); !reached.ok()) {
      error_ = kNoWindow + reached.error();
      return nullptr;
    }
    if (!WatchDisplay()) return nullptr;
    // Left to itself, Qt may pick the Wayland compositor that did not answer
    // here, and wait for it without end or give up on the process.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  const Result<void*> entry = LoadModuleEntry(kQtFrontEndPath, kQtFrontEndEntry);
  if (!entry.ok()) {
    error_ = "cannot load the window module: " + entry.error();
    return nullptr;
  }
  front_end_ = reinterpret_cast<QtFrontEndEntry>(entry.value())();  // Qt starts here
  return front_end_;
}

bool QtLoader::WatchDisplay() {
  // The session's connection may have outlived the server; ask it anew.
  Result<std::shared_ptr<x11::Connection>> display = x11::Connection::Open();
  if (!display.ok()) {
    display_lost_ = true;
    error_ = kNoWindow + display.error();
    return false;
  }
  guard_.emplace(std::move(display).value(), std::string("tagsmit: ") + kNoWindow +
                                                 "the X display \"" + std::getenv("DISPLAY") +
                                                 "\" has gone away");
  guard_->Showing(box_text_);
  return true;
}

void QtLoader::Showing(const std::string& box_text) {
  box_text_ = box_text;
  if (guard_) guard_->Showing(box_text_);
}

}  // namespace tagsmit
