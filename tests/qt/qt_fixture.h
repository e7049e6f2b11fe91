#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <functional>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "platform/qt/windows/settings_window.h"
#include "run/app.h"
#include "run/settings.h"
#include "scripted_desktop.h"
#include "settings/main_form.h"

namespace tagsmit::testing {

// Runs `action` once the next modal window has started its event loop.
inline void WhenModal(std::function<void()> action) {
  QTimer::singleShot(0, [action = std::move(action)] { action(); });
}

// The real settings window over fake services with the first-start defaults.
class QtSettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddDirectory("/home/user/web/img");
    fs.AddDirectory("/home/user/web/css");
    fs.SetCurrentDirectory("/home/user/web");
    SetDefaults(app.options, desktop.identity);
    LoadSettings(app, services);
    window.Bind(form);
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  FakeFileSystem fs{PathStyle::Posix};
  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
  SettingsWindow window;
  MainForm form{window, app, services};
};

}  // namespace tagsmit::testing
