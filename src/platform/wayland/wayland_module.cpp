// The entry of the Wayland module (wayland_module.h).
#include "platform/wayland/wayland_module.h"

#include "platform/wayland/wayland_session.h"

extern "C" __attribute__((visibility("default"))) tagsmit::DisplayServices*
tagsmit_wayland_services() {
  static tagsmit::wayland::Session session;
  return &session;
}
