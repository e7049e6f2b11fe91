#include "settings_window/settings_controls.h"

#include <iterator>

#include "settings_window/settings_texts.h"

namespace tagsmit {
namespace {

using enum SettingsControl;
using enum ControlKind;
using enum ControlEvent;

// Check boxes stack in their frame from its top left corner, one row each;
// the run-time frame keeps a margin under its last box, the window one under
// the frame. The run-time frame is as wide as its longest caption
// (複数のファイルを読む) needs in the fonts of both platforms; btnVer stands
// right of it.
constexpr TwipsRect kPathFramePlace{240, 840, 5895, 1335};
constexpr TwipsRect kRunFramePlace{240, 2400, 2580, 0};
constexpr int kBoxInset = 240;
constexpr int kBoxPitch = 360;
constexpr int kBoxHeight = 255;
constexpr int kFrameMargin = 120;
constexpr int kWindowMargin = 135;
constexpr int kWindowWidth = 6555;

// The controls above the check boxes, in the window's own order, which is the
// Tab order: the path frame's, before its check box.
const SettingsControlSpec kPathControls[] = {
    {optRelative,
     {"optRelative",
      OptionButton,
      "相対ﾊﾟｽ",
      "右で指定したﾊﾟｽを基準に相対ﾊﾟｽを使います",
      {480, 1800, 975, 255}},
     {},
     Click,
     [](MainForm& form, int) { form.optRelative_Click(); }},
    {optFixed,
     {"optFixed", OptionButton, "固定ﾊﾟｽ", "右で指定したﾊﾟｽを使います", {480, 1440, 975, 255}},
     {},
     Click,
     [](MainForm& form, int) { form.optFixed_Click(); }},
    {pathFrame, {"pathFrame", Frame, "ﾊﾟｽ /ﾌｧｲﾙ名", "ﾊﾟｽおよびﾌｧｲﾙ名の設定", kPathFramePlace}},
    {txtFixedPath,
     {"txtFixedPath",
      TextBox,
      "",
      "固定ﾊﾟｽを入力してください",
      {2520, 1440, 3495, 270},
      {FontFace::Fixed}}},
    {btnRef,
     {"btnRef",
      CommandButton,
      "参照 ...",
      "ﾃﾞｨﾚｸﾄﾘ参照ﾀﾞｲｱﾛｸﾞを表示します",
      {1560, 1800, 855, 255}},
     {},
     Click,
     [](MainForm& form, int) { form.btnRef_Click(); }},
    {txtBasePath,
     {"txtBasePath",
      TextBox,
      "",
      "ﾄﾞﾗｲﾌﾞ名も含めた絶対ﾊﾟｽで指定してください",
      {2520, 1800, 3495, 270},
      {FontFace::Fixed}}},
};

// The controls after the run-time frame's check boxes.
const SettingsControlSpec kLowerControls[] = {
    {btnDel,
     {"btnDel", CommandButton, "-", "この文字列をリストから削除します", {6240, 520, 255, 180}},
     {},
     Click,
     [](MainForm& form, int) { form.btnDel_Click(); }},
    {btnAdd,
     {"btnAdd", CommandButton, "+", "文字列をリストに追加します", {6240, 340, 255, 180}},
     {},
     Click,
     [](MainForm& form, int) { form.btnAdd_Click(); }},
    {cmbClipStr,
     {"cmbClipStr",
      ListBox,
      "",
      "張り付け文字列を選択してください",
      {240, 360, 5895, 300},
      {FontFace::Fixed}},
     {},
     Click,
     [](MainForm& form, int index) { form.cmbClipStr_Click(index); }},
    {btnVer,
     {"btnVer",
      CommandButton,
      "？",
      "ﾊﾞｰｼﾞｮﾝ情報など",
      {2940, 3000, 375, 375},
      {.bold = true},
      ControlPicture::VersionMark},
     {},
     Click,
     [](MainForm& form, int) { form.btnVer_Click(); }},
    {btnCancel,
     {"btnCancel", CommandButton, "ｷｬﾝｾﾙ", "全ての変更を破棄し終了します", {4920, 3000, 1215, 375}},
     {.is_cancel = true},
     Click,
     [](MainForm& form, int) { form.btnCancel_Click(); }},
    {btnOk,
     {"btnOk", CommandButton, "OK", "設定を保存し終了します", {3480, 3000, 1215, 375}},
     {.is_default = true},
     Click,
     [](MainForm& form, int) { form.btnOk_Click(); }},
    {btnDefault,
     {"btnDefault",
      CommandButton,
      "標準に戻す",
      "文字列をすべて初期状態に戻します",
      {4920, 85, 1215, 255}},
     {},
     Click,
     [](MainForm& form, int) { form.btnDefault_Click(); }},
    {Label1,
     {"Label1",
      Label,
      "貼り付け文字列 （ﾌｧｲﾙ名 &&f, 幅 &&w,  高さ &&h で指定）",
      "",
      {360, 120, 4215, 255}}},
};

const std::vector<PickerControlSpec> kPickerControls = {
    {PickerControl::drvListBox,
     {"drvListBox", DriveList, "", "", {120, 120, 2415, 300}},
     {},
     Change,
     [](DirPicker& picker, int index) { picker.drvListBox_Change(index); }},
    {PickerControl::dirListBox,
     {"dirListBox", DirectoryList, "", "", {120, 480, 2415, 2190}},
     {},
     Open,
     [](DirPicker& picker, int index) { picker.dirListBox_Open(index); }},
    {PickerControl::Command1,
     {"Command1", CommandButton, settings_text::kPickerOk, "", {2640, 480, 1095, 375}},
     {.is_default = true},
     Click,
     [](DirPicker& picker, int) { picker.Command1_Click(); }},
    {PickerControl::Command2,
     {"Command2", CommandButton, settings_text::kPickerCancel, "", {2640, 960, 1095, 375}},
     {.is_cancel = true},
     Click,
     [](DirPicker& picker, int) { picker.Command2_Click(); }},
};

TwipsRect BoxPlace(const TwipsRect& frame, int row, int width) {
  return {frame.left + kBoxInset, frame.top + kBoxInset + row * kBoxPitch,
          width != 0 ? width : frame.width - kBoxInset - kFrameMargin, kBoxHeight};
}

// The check boxes of one frame, in the order of the stored values.
void AddBoxes(std::vector<SettingsControlSpec>& controls, SettingsSchema schema, SwitchFrame frame,
              const TwipsRect& place) {
  int row = 0;
  for (const SwitchBoxControl& box : SwitchBoxes(schema)) {
    const SwitchBox& look = box.value->box;
    if (look.frame != frame) continue;
    controls.push_back({box.control,
                        {look.name, CheckBox, look.caption, look.tooltip.c_str(),
                         BoxPlace(place, row++, look.width)}});
  }
}

int RowsIn(SettingsSchema schema, SwitchFrame frame) {
  int rows = 0;
  for (const SwitchBoxControl& box : SwitchBoxes(schema)) rows += box.value->box.frame == frame;
  return rows;
}

}  // namespace

std::vector<SwitchBoxControl> SwitchBoxes(SettingsSchema schema) {
  std::vector<SwitchBoxControl> boxes;
  int next = static_cast<int>(kSwitchBoxes);
  for (const StoredValue& value : schema) {
    if (value.box.frame != SwitchFrame::kNoBox) {
      boxes.push_back({static_cast<SettingsControl>(next++), &value});
    }
  }
  return boxes;
}

SettingsControl SwitchBoxOf(std::string_view key, SettingsSchema schema) {
  const std::vector<SwitchBoxControl> boxes = SwitchBoxes(schema);
  for (const SwitchBoxControl& box : boxes) {
    if (key == box.value->key) return box.control;
  }
  return static_cast<SettingsControl>(static_cast<int>(kSwitchBoxes) + std::ssize(boxes));
}

bool ShowsTicked(const StoredValue& value, const Options& options) {
  const std::uint8_t on = options.*value.switch_field;
  return value.box.on_only_at_one ? on == 1 : on != 0;
}

SettingsWindowSpec SettingsWindowFor(SettingsSchema schema) {
  std::vector<SettingsControlSpec> controls(std::begin(kPathControls), std::end(kPathControls));
  AddBoxes(controls, schema, SwitchFrame::kPathFrame, kPathFramePlace);
  const int rows = RowsIn(schema, SwitchFrame::kRunFrame);
  TwipsRect run_frame = kRunFramePlace;
  run_frame.height = kBoxInset + (rows - 1) * kBoxPitch + kBoxHeight + kFrameMargin;
  controls.push_back(
      {runFrame, {"runFrame", Frame, "実行時ｵﾌﾟｼｮﾝ", "実行時の表示設定", run_frame}});
  AddBoxes(controls, schema, SwitchFrame::kRunFrame, run_frame);
  controls.insert(controls.end(), std::begin(kLowerControls), std::end(kLowerControls));
  return {{kWindowWidth, run_frame.top + run_frame.height + kWindowMargin}, std::move(controls)};
}

const SettingsWindowSpec kSettingsWindow = SettingsWindowFor(StoredValues());
const PickerWindowSpec kPickerWindow{{3855, 2805}, kPickerControls};

}  // namespace tagsmit
