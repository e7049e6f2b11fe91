#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "about/about_form.h"
#include "about/about_view.h"
#include "settings_window/dir_picker.h"
#include "settings_window/dir_picker_view.h"
#include "settings_window/settings_view.h"

namespace tagsmit::testing {

// The steps that matter across windows, in order: "settings:on-top",
// "picker:close", ...
using WindowLog = std::vector<std::string>;

inline void LogOnTop(WindowLog& log, const std::string& window, bool on_top) {
  log.push_back(window + (on_top ? ":on-top" : ":not-on-top"));
}

// Each control's state as the logic set it, whatever the window.
template <typename View>
class FakeControls : public View {
 public:
  using Control = typename View::Control;

  void SetCaption(const std::string& text) override { caption = text; }
  void SetChecked(Control control, bool state) override { checked[control] = state; }
  bool IsChecked(Control control) override { return checked[control]; }
  void SetText(Control control, const std::string& text) override { texts[control] = text; }
  std::string Text(Control control) override { return texts[control]; }
  void SetEnabled(Control control, bool state) override { enabled[control] = state; }
  void Focus(Control control) override { focused.push_back(control); }
  void SelectAllText(Control control) override { selected_all.push_back(control); }
  void ShowEntries(Control control, const std::vector<std::string>& shown, int selected) override {
    entries[control] = shown;
    selected_entry[control] = selected;
  }

  std::string caption;
  std::map<Control, bool> checked, enabled;
  std::map<Control, std::string> texts;
  std::vector<Control> focused, selected_all;
  std::map<Control, std::vector<std::string>> entries;
  std::map<Control, int> selected_entry;
};

// A modal child window that logs its steps under `name`; while it runs,
// `script` acts as the user.
template <typename View, typename Form, typename Self>
class FakeModalView : public FakeControls<View> {
 public:
  using Script = std::function<void(Form&, Self&)>;
  FakeModalView(WindowLog& log, std::string name, Script script)
      : log_(log), name_(std::move(name)), script_(std::move(script)) {}

  void SetStaysOnTop(bool on_top) override { LogOnTop(log_, name_, on_top); }
  void Close() override { log_.push_back(name_ + ":close"); }
  void RunModal(Form& form) override {
    log_.push_back(name_ + ":run");
    if (script_) script_(form, static_cast<Self&>(*this));
  }

 private:
  WindowLog& log_;
  std::string name_;
  Script script_;
};

class FakeDirPickerView : public FakeModalView<DirPickerView, DirPicker, FakeDirPickerView> {
 public:
  FakeDirPickerView(WindowLog& log, Script script)
      : FakeModalView(log, "picker", std::move(script)) {}
  void ShowDirectories(const DirListing& shown) override { listing = shown; }

  DirListing listing;
};

class FakeAboutView : public FakeModalView<AboutView, AboutForm, FakeAboutView> {
 public:
  FakeAboutView(WindowLog& log, Script script) : FakeModalView(log, "about", std::move(script)) {}
};

class FakeSettingsView : public FakeControls<SettingsView> {
 public:
  Extent ScreenSize() override { return screen; }
  Extent WindowSize() override { return window; }
  void MoveTo(int x, int y) override { at = {x, y}; }
  void Show() override { log.push_back("settings:show"); }
  void SetStaysOnTop(bool on_top) override { LogOnTop(log, "settings", on_top); }
  void Close() override { closed = true; }
  std::unique_ptr<DirPickerView> CreateDirPickerView() override {
    return std::make_unique<FakeDirPickerView>(log, picker_script);
  }
  std::unique_ptr<AboutView> CreateAboutView() override {
    return std::make_unique<FakeAboutView>(log, about_script);
  }

  // What the user does while a modal child is open.
  FakeDirPickerView::Script picker_script;
  FakeAboutView::Script about_script;

  Extent screen{1920, 1080};
  Extent window{437, 234};
  std::pair<int, int> at{-1, -1};
  bool closed = false;
  WindowLog log;
};

}  // namespace tagsmit::testing
