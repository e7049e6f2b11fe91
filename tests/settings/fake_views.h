#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "about/about_form.h"
#include "about/about_view.h"
#include "settings/dir_picker.h"
#include "settings/dir_picker_view.h"
#include "settings/settings_view.h"

namespace tagsmit::testing {

// Records what the logic does to a window and, in `log`, the order of the
// steps that matter across windows ("settings:on-top", "picker:close", ...).
struct WindowRecord {
  std::vector<std::string> log;
};

class FakeDirPickerView : public DirPickerView {
 public:
  using Script = std::function<void(DirPicker&, FakeDirPickerView&)>;
  FakeDirPickerView(WindowRecord& record, Script script)
      : record_(record), script_(std::move(script)) {}

  void SetStaysOnTop(bool on_top) override {
    record_.log.push_back(on_top ? "picker:on-top" : "picker:not-on-top");
  }
  void Close() override {
    closed = true;
    record_.log.push_back("picker:close");
  }
  void ShowDrives(const std::vector<std::string>& shown, int selected) override {
    drives = shown;
    selected_drive = selected;
  }
  void ShowDirectories(const DirListing& shown) override { listing = shown; }
  void RunModal(DirPicker& picker) override {
    record_.log.push_back("picker:run");
    if (script_) script_(picker, *this);
  }

  std::vector<std::string> drives;
  int selected_drive = -1;
  DirListing listing;
  bool closed = false;

 private:
  WindowRecord& record_;
  Script script_;
};

class FakeAboutView : public AboutView {
 public:
  using Script = std::function<void(AboutForm&, FakeAboutView&)>;
  FakeAboutView(WindowRecord& record, Script script)
      : record_(record), script_(std::move(script)) {}

  void SetStaysOnTop(bool on_top) override {
    record_.log.push_back(on_top ? "about:on-top" : "about:not-on-top");
  }
  void Close() override {
    closed = true;
    record_.log.push_back("about:close");
  }
  void SetText(AboutText which, const std::string& text) override { texts[which] = text; }
  void RunModal(AboutForm& form) override {
    record_.log.push_back("about:run");
    if (script_) script_(form, *this);
  }

  std::map<AboutText, std::string> texts;
  bool closed = false;

 private:
  WindowRecord& record_;
  Script script_;
};

class FakeSettingsView : public SettingsView {
 public:
  Extent ScreenSize() override { return screen; }
  Extent WindowSize() override { return window; }
  void MoveTo(int left, int top) override {
    this->left = left;
    this->top = top;
  }
  void Show() override { record.log.push_back("settings:show"); }
  void SetStaysOnTop(bool on_top) override {
    this->on_top = on_top;
    record.log.push_back(on_top ? "settings:on-top" : "settings:not-on-top");
  }
  void Close() override {
    closed = true;
    record.log.push_back("settings:close");
  }
  void SetChecked(SettingsControl control, bool state) override { checked[control] = state; }
  bool IsChecked(SettingsControl control) override { return checked[control]; }
  void SetText(SettingsControl control, const std::string& text) override { texts[control] = text; }
  std::string Text(SettingsControl control) override { return texts[control]; }
  void SetEnabled(SettingsControl control, bool state) override { enabled[control] = state; }
  void Focus(SettingsControl control) override { focused.push_back(control); }
  void SelectAllText(SettingsControl control) override { selected_all.push_back(control); }
  void ShowClipStrs(const std::vector<std::string>& entries, int selected) override {
    list = entries;
    list_selected = selected;
  }
  std::unique_ptr<DirPickerView> CreateDirPickerView() override {
    return std::make_unique<FakeDirPickerView>(record, picker_script);
  }
  std::unique_ptr<AboutView> CreateAboutView() override {
    return std::make_unique<FakeAboutView>(record, about_script);
  }

  // Script: what the user does while a modal child is open.
  FakeDirPickerView::Script picker_script;
  FakeAboutView::Script about_script;

  // Record.
  Extent screen{1920, 1080};
  Extent window{437, 234};
  int left = -1;
  int top = -1;
  bool on_top = false;
  bool closed = false;
  std::map<SettingsControl, bool> checked;
  std::map<SettingsControl, bool> enabled;
  std::map<SettingsControl, std::string> texts;
  std::vector<SettingsControl> focused;
  std::vector<SettingsControl> selected_all;
  std::vector<std::string> list;
  int list_selected = -2;
  WindowRecord record;
};

}  // namespace tagsmit::testing
