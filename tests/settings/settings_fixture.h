#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fake_file_system.h"
#include "fake_views.h"
#include "memory_settings_store.h"
#include "run/app.h"
#include "run/settings.h"
#include "scripted_desktop.h"
#include "settings/main_form.h"

namespace tagsmit::testing {

// A message box as shown: prompt, icon, buttons, title.
using BoxSeen = std::tuple<std::string, BoxIcon, BoxButtons, std::string>;

inline std::vector<BoxSeen> Boxes(const ScriptedDesktop& desktop) {
  std::vector<BoxSeen> seen;
  for (const auto& box : desktop.boxes)
    seen.emplace_back(box.prompt, box.icon, box.buttons, box.title);
  return seen;
}
inline BoxSeen Question(const std::string& prompt) {
  return {prompt, BoxIcon::Question, BoxButtons::YesNo, "Tagsmit"};
}
inline BoxSeen Told(const std::string& prompt, BoxIcon icon) {
  return {prompt, icon, BoxButtons::Ok, "Tagsmit"};
}
inline const BoxSeen kSaveQuestion = Question("設定を保存し終了します。よろしいですか？");

// The settings window over fake services with the first-start defaults.
// POSIX: the current directory is /home/user/web. Windows: it is C:\Web, with
// a second drive D: and a drive A: without a medium.
class SettingsWindowTest : public ::testing::Test {
 protected:
  explicit SettingsWindowTest(PathStyle style = PathStyle::Posix) : fs(style) {}

  void SetUp() override {
    if (fs.Style() == PathStyle::Posix) {
      fs.AddDirectory("/home/user/web/img");
      fs.AddDirectory("/home/user/web/css");
      fs.AddDirectory("/srv/Site");
      fs.SetCurrentDirectory("/home/user/web");
    } else {
      fs.AddDirectory("C:\\Web\\Img");
      fs.AddDirectory("D:\\Photos");
      fs.AddDrive("A:");
      fs.SetDriveReady("A:", false);
      fs.SetCurrentDirectory("C:\\Web");
    }
    SetDefaults(app.options, desktop.identity);
    LoadSettings(app, services);
    desktop.events.clear();  // the first start's beep
  }

  // Opens the window the way start-up does.
  void Open() {
    form.Open();
    view.log.clear();
  }

  // Opens the directory picker; `user` acts while it is open.
  void Browse(FakeDirPickerView::Script user) {
    view.picker_script = std::move(user);
    form.btnRef_Click();
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

class WindowsSettingsWindowTest : public SettingsWindowTest {
 protected:
  WindowsSettingsWindowTest() : SettingsWindowTest(PathStyle::Windows) {}
};

}  // namespace tagsmit::testing
