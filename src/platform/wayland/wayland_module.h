#pragma once

#include "platform/display_services.h"

namespace tagsmit {

// The Wayland services, built as a module of their own so that a run outside
// a Wayland session never loads libwayland-client: linked into the program it
// cost every X11 run time and memory at start (docs/performance.md). The
// program loads the module the first time it needs Wayland.

// The module's one exported function, which returns its services.
inline constexpr const char* kWaylandModuleEntry = "tagsmit_wayland_services";
using WaylandModuleEntry = DisplayServices* (*)();

// Where the module sits, relative to the folder of the program.
inline constexpr const char* kWaylandModulePath = "../lib/tagsmit/tagsmit-wayland.so";

}  // namespace tagsmit
