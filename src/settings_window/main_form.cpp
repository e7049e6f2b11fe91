#include "settings_window/main_form.h"

#include "about/about_form.h"
#include "path/reference_path.h"
#include "run/settings_load_save.h"
#include "settings_window/check_clip_str.h"
#include "settings_window/dir_picker.h"
#include "settings_window/settings_controls.h"
#include "settings_window/settings_texts.h"

namespace tagsmit {
namespace {

using enum SettingsControl;

// A base directory must be absolute: with a drive colon on Windows, from the
// root on POSIX.
bool IsAbsoluteBase(PathStyle style, const std::string& resolved) {
  if (style == PathStyle::Windows) return resolved.find(':') != std::string::npos;
  return !resolved.empty() && resolved.front() == '/';
}

}  // namespace

MainForm::MainForm(SettingsView& view, AppState& app, Services& services, SettingsSchema schema)
    : view_(view), app_(app), services_(services), schema_(schema) {}

void MainForm::Open() {
  const Extent screen = view_.ScreenSize();
  const Extent window = view_.WindowSize();
  view_.MoveTo((screen.width - window.width) / 2, (screen.height - window.height) / 3);

  const Options& options = app_.options;
  for (const SwitchBoxControl& box : SwitchBoxes(schema_)) {
    view_.SetChecked(box.control, ShowsTicked(*box.value, options));
  }
  view_.SetChecked(optRelative, options.RelativePath != 0);
  optRelative_Click();
  view_.SetText(txtFixedPath, options.FixedPath);
  view_.SetText(txtBasePath, options.BasePath);
  ShowClipStrs();

  SetTopMost(view_);
  view_.Show();
}

void MainForm::btnOk_Click() {
  if (!Ask(settings_text::kConfirmSave)) return;
  std::string clip_str = app_.clip_strs.Text();
  if (!CheckClipStr(clip_str, services_.desktop)) return;

  Options& options = app_.options;
  options.BasePath = view_.Text(txtBasePath);
  options.RelativePath = view_.IsChecked(optRelative) ? 255 : 0;
  if (options.RelativePath != 0) {
    const std::string resolved = GetActualPath(services_.fs, options.BasePath);
    if (resolved.empty()) {
      Tell(std::string{settings_text::kNoDirectory} + "\n" + options.BasePath,
           BoxIcon::Information);
      view_.Focus(txtBasePath);
      view_.SelectAllText(txtBasePath);
      return;
    }
    // The lookup resolves a relative path from the current directory, which
    // means nothing to later runs: the typed path must be absolute as well.
    const PathStyle style = services_.fs.Style();
    if (!IsAbsoluteBase(style, options.BasePath) || !IsAbsoluteBase(style, resolved)) {
      Tell(std::string{settings_text::kNotAbsolute} + "\n" + options.BasePath,
           BoxIcon::Information);
      return;
    }
    options.BasePath = resolved;
  }
  options.FixedPath = view_.Text(txtFixedPath);
  for (const SwitchBoxControl& box : SwitchBoxes(schema_)) {
    options.*box.value->switch_field = view_.IsChecked(box.control) ? 1 : 0;
  }

  // The store keeps its old contents when a save fails; the user is told why
  // and may try again or cancel.
  const Status saved = SaveSettings(app_, services_.store, schema_);
  if (!saved.ok()) {
    Tell(std::string{settings_text::kSaveFailed} + "\n" + saved.error(), BoxIcon::Critical);
    return;
  }
  view_.Close();
}

void MainForm::btnCancel_Click() {
  view_.Close();
}

void MainForm::btnRef_Click() {
  const auto picker_view = view_.CreateDirPickerView();
  DirPicker picker(*picker_view, view_, app_.options, services_);
  picker.Open();
}

void MainForm::btnVer_Click() {
  ClearTopMost(view_);
  const auto about_view = view_.CreateAboutView();
  AboutForm about(*about_view, view_, services_.desktop.Identity());
  about.Open();
}

void MainForm::optFixed_Click() {
  optRelative_Click();
}

void MainForm::optRelative_Click() {
  const bool relative = view_.IsChecked(optRelative);
  view_.SetChecked(optFixed, !relative);
  view_.SetEnabled(txtFixedPath, !relative);
  view_.SetEnabled(btnRef, relative);
  view_.SetEnabled(txtBasePath, relative);
}

void MainForm::cmbClipStr_Click(int index) {
  app_.clip_strs.Select(index);
}

void MainForm::ShowClipStrs() {
  view_.ShowEntries(cmbClipStr, app_.clip_strs.Entries(), app_.clip_strs.SelectedIndex());
}

void MainForm::Tell(const std::string& prompt, BoxIcon icon) {
  services_.desktop.MsgBox(prompt, icon, BoxButtons::Ok, services_.desktop.Identity().title);
}

bool MainForm::Ask(const std::string& question) {
  return services_.desktop.MsgBox(question, BoxIcon::Question, BoxButtons::YesNo,
                                  services_.desktop.Identity().title) == BoxAnswer::Yes;
}

}  // namespace tagsmit
