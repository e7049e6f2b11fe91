#pragma once

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "run/clip_str_list.h"
#include "run/options.h"

namespace tagsmit {

// The platform services, handed to the core by reference.
struct Services {
  FileSystem& fs;
  Desktop& desktop;
  SettingsStore& store;
};

// Everything the process keeps in memory: the options and the paste-string
// list. Selecting a list entry makes it CurClipStr.
struct AppState {
  AppState();
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  Options options;
  ClipStrList clip_strs;
};

}  // namespace tagsmit
