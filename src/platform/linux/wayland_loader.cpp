#include "platform/linux/wayland_loader.h"

#include "platform/linux/module_entry.h"
#include "platform/wayland/wayland_module.h"

namespace tagsmit {

DisplayServices* WaylandLoader::Get() {
  if (tried_) return services_;
  tried_ = true;
  const Result<void*> entry = LoadModuleEntry(kWaylandModulePath, kWaylandModuleEntry);
  if (entry.ok()) {
    services_ = reinterpret_cast<WaylandModuleEntry>(entry.value())();
  } else {
    error_ = "cannot load the Wayland module: " + entry.error();
  }
  return services_;
}

bool WaylandLoader::Connected() {
  DisplayServices* services = Get();
  return services && services->Connected();
}

Status WaylandLoader::SetClipboardText(const std::string& text) {
  DisplayServices* services = Get();
  return services ? services->SetClipboardText(text) : Status::Failure(error_);
}

Result<std::string> WaylandLoader::ClipboardText() {
  DisplayServices* services = Get();
  return services ? services->ClipboardText() : Result<std::string>::Failure(error_);
}

bool WaylandLoader::RingBell() {
  DisplayServices* services = Get();
  return services && services->RingBell();
}

}  // namespace tagsmit
