#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake_file_system.h"
#include "fake_views.h"
#include "memory_settings_store.h"
#include "run/app.h"
#include "run/settings.h"
#include "scripted_desktop.h"
#include "settings/main_form.h"

namespace tagsmit::testing {

// The settings window over fake services, loaded with the defaults as on a
// first start, with the current directory at /home/user/web.
class SettingsWindowTest : public ::testing::Test {
 protected:
  explicit SettingsWindowTest(PathStyle style = PathStyle::Posix) : fs(style) {}

  void SetUp() override {
    if (fs.Style() == PathStyle::Posix) {
      fs.AddDirectory("/home/user/web/img");
      fs.AddDirectory("/home/user/web/css");
      fs.AddDirectory("/srv/Site");
      fs.SetCurrentDirectory("/home/user/web");
    }
    SetDefaults(app.options, desktop.identity);
    LoadSettings(app, services);
    desktop.events.clear();
  }

  // Opens the window the way start-up does.
  void Open() {
    form.Open();
    view.record.log.clear();
  }

  // The answers the user gives, in order, to the boxes that follow.
  void Answer(std::initializer_list<BoxAnswer> answers) {
    desktop.answers.insert(desktop.answers.end(), answers);
  }

  std::string Stored(const std::string& key) { return store.Get("Tagsmit", "init", key); }

  FakeFileSystem fs;
  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
  FakeSettingsView view;
  MainForm form{view, app, services};
};

}  // namespace tagsmit::testing
