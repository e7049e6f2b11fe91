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
      {"DensitySize",
       kSwitch,
       &Options::DensitySize,
       nullptr,
       {kRunFrame, "chkDensitySize", "@2x は等倍の寸法",
        "名前が @2x, @3x などで終わる画像は、幅と高さをその倍率で割ります"}},
      {"SrcSet",
       kSwitch,
       &Options::SrcSet,
       nullptr,
       {kRunFrame, "chkSrcSet", "srcset を作る",
        "&s を、同じフォルダにある @2x, @3x などの画像の srcset に置き換えます"}},
      {"SeveralFiles",
       kSwitch,
       &Options::SeveralFiles,
       nullptr,
       {kRunFrame, "chkSeveralFiles", "複数のファイルを読む",
        "ドロップした画像すべての文字列を、名前の順に 1 行ずつコピーします"}},
  };
  return kValues;
}

}  // namespace tagsmit
