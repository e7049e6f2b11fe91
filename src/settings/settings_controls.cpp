#include "settings/settings_controls.h"

#include <algorithm>
#include <array>

namespace tagsmit {
namespace {

// Caption, tooltip and place of every control of the settings window.
constexpr std::array<ControlSpec, kSettingsControlCount> kControls{{
    {SettingsControl::optRelative,
     "optRelative",
     "相対ﾊﾟｽ",
     "右で指定したﾊﾟｽを基準に相対ﾊﾟｽを使います",
     {480, 1800, 975, 255}},
    {SettingsControl::optFixed,
     "optFixed",
     "固定ﾊﾟｽ",
     "右で指定したﾊﾟｽを使います",
     {480, 1440, 975, 255}},
    {SettingsControl::pathFrame,
     "pathFrame",
     "ﾊﾟｽ /ﾌｧｲﾙ名",
     "ﾊﾟｽおよびﾌｧｲﾙ名の設定",
     {240, 840, 5895, 1335}},
    {SettingsControl::txtFixedPath,
     "txtFixedPath",
     "",
     "固定ﾊﾟｽを入力してください",
     {2520, 1440, 3495, 270}},
    {SettingsControl::btnRef,
     "btnRef",
     "参照 ...",
     "ﾃﾞｨﾚｸﾄﾘ参照ﾀﾞｲｱﾛｸﾞを表示します",
     {1560, 1800, 855, 255}},
    {SettingsControl::txtBasePath,
     "txtBasePath",
     "",
     "ﾄﾞﾗｲﾌﾞ名も含めた絶対ﾊﾟｽで指定してください",
     {2520, 1800, 3495, 270}},
    {SettingsControl::chkLower,
     "chkLower",
     "小文字でｺﾋﾟｰ",
     "ﾊﾟｽおよびﾌｧｲﾙ名を小文字でｺﾋﾟｰします",
     {480, 1080, 1455, 255}},
    {SettingsControl::runFrame,
     "runFrame",
     "実行時ｵﾌﾟｼｮﾝ",
     "実行時の表示設定",
     {240, 2400, 1575, 975}},
    {SettingsControl::chkNotify,
     "chkNotify",
     "ｴﾗｰ報告",
     "ｴﾗｰの報告をします",
     {480, 2640, 1095, 255}},
    {SettingsControl::chkTest,
     "chkTest",
     "ﾃｽﾄ表示",
     "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰされた文字列を表示します",
     {480, 3000, 1095, 255}},
    {SettingsControl::btnDel,
     "btnDel",
     "-",
     "この文字列をリストから削除します",
     {6240, 520, 255, 180}},
    {SettingsControl::btnAdd, "btnAdd", "+", "文字列をリストに追加します", {6240, 340, 255, 180}},
    {SettingsControl::cmbClipStr,
     "cmbClipStr",
     "",
     "張り付け文字列を選択してください",
     {240, 360, 5895, 300}},
    {SettingsControl::btnVer, "btnVer", "？", "ﾊﾞｰｼﾞｮﾝ情報など", {2760, 3000, 375, 375}},
    {SettingsControl::btnCancel,
     "btnCancel",
     "ｷｬﾝｾﾙ",
     "全ての変更を破棄し終了します",
     {4920, 3000, 1215, 375}},
    {SettingsControl::btnOk, "btnOk", "OK", "設定を保存し終了します", {3480, 3000, 1215, 375}},
    {SettingsControl::btnDefault,
     "btnDefault",
     "標準に戻す",
     "文字列をすべて初期状態に戻します",
     {4920, 85, 1215, 255}},
    {SettingsControl::Label1,
     "Label1",
     "貼り付け文字列 （ﾌｧｲﾙ名 &&f, 幅 &&w,  高さ &&h で指定）",
     "",
     {360, 120, 4215, 255}},
}};

}  // namespace

const ControlSpec& SettingsControlSpec(SettingsControl control) {
  return *std::find_if(kControls.begin(), kControls.end(),
                       [control](const ControlSpec& spec) { return spec.control == control; });
}

}  // namespace tagsmit
