// The settings window's buttons that change the paste-string list.
#include <utility>

#include "run/settings_load_save.h"
#include "settings_window/check_clip_str.h"
#include "settings_window/main_form.h"
#include "settings_window/settings_texts.h"

namespace tagsmit {

void MainForm::btnAdd_Click() {
  ClipStrList& list = app_.clip_strs;
  for (;;) {
    // A refused text is not offered again: the box starts from CurClipStr.
    std::string answer = services_.desktop.InputBox(
        settings_text::kInputPrompt, settings_text::kInputTitle, app_.options.CurClipStr);
    if (answer.empty()) return;
    if (!CheckClipStr(answer, services_.desktop)) continue;

    for (int index = 0; index < list.Count(); ++index) {
      if (list.Entry(index) == answer) {
        list.Select(index);
        ShowClipStrs();
        return;
      }
    }
    list.InsertAtTop(std::move(answer));
    list.Select(0);
    ShowClipStrs();
    return;
  }
}

void MainForm::btnDel_Click() {
  if (!Ask(settings_text::kConfirmDelete)) return;
  ClipStrList& list = app_.clip_strs;
  // Entries without a selection only come from a hand-edited store; there is
  // nothing chosen to delete then.
  if (list.Count() == 0 || list.SelectedIndex() < 0) return;
  list.Remove(list.SelectedIndex());
  if (list.Count() == 0) {
    ShowClipStrs();
    Tell(settings_text::kNoneLeft, BoxIcon::Information);
    return;
  }
  list.Select(0);
  ShowClipStrs();
}

void MainForm::btnDefault_Click() {
  if (!Ask(settings_text::kConfirmDefault)) return;
  FillClipStrList(app_, services_.desktop, app_.options.DefClipStr);
  ShowClipStrs();
}

}  // namespace tagsmit
