#include "run/stored_values.h"

#include "image/image_formats.h"

namespace tagsmit {

SettingsSchema StoredValues() {
  using enum StoredKind;
  using enum SwitchFrame;
  static const StoredValue kValues[] = {
      {"version", kVersion, nullptr, &Options::VerStr},
      {"ClipStr", kList},
      {"ClipStrNo", kIndex},
      {"NotyfyErr",
       kSwitch,
       &Options::NotyfyErr,
       nullptr,
       {kRunFrame, "chkNotify", "ｴﾗｰ報告", "ｴﾗｰの報告をします", true, 1095}},
      {"Test",
       kSwitch,
       &Options::Test,
       nullptr,
       {kRunFrame, "chkTest", "ﾃｽﾄ表示", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰされた文字列を表示します", false, 1095}},
      {"LowerCase",
       kSwitch,
       &Options::LowerCase,
       nullptr,
       {kPathFrame, "chkLower", "小文字でｺﾋﾟｰ", "ﾊﾟｽおよびﾌｧｲﾙ名を小文字でｺﾋﾟｰします", false,
        1455}},
      {"RelativePath", kSwitch, &Options::RelativePath},
      {"FixedPath", kPath, nullptr, &Options::FixedPath},
      {"BasePath", kPath, nullptr, &Options::BasePath},
      // Added after release 1.1.5: older files end before them and leave them off.
      {"MoreFormats",
       kSwitch,
       &Options::MoreFormats,
       nullptr,
       {kRunFrame, "chkMoreFormats", "他の形式も読む", MoreFormatsTooltip()}},
      {"DisplaySize",
       kSwitch,
       &Options::DisplaySize,
       nullptr,
       {kRunFrame, "chkDisplaySize", "表示の向きで寸法",
        "写真の回転 (Exif) を反映した幅と高さにします"}},
  };
  return kValues;
}

}  // namespace tagsmit
