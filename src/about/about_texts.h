#pragma once

// The texts of the About window.
namespace tagsmit::about_text {

inline constexpr const char* kCaptionSuffix = "のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kVersionPrefix = "ﾊﾞｰｼﾞｮﾝ ";
inline constexpr const char* kTitleSuffix = "　（ﾀｸﾞｽﾐｯﾄ）";

// The description: the thanks on a line of their own, then pieces that split
// their sentences in the middle and are joined without separators.
inline constexpr const char* kThanks = "　ﾀﾞｳﾝﾛｰﾄﾞいただきありがとうございます。";
inline constexpr const char* kPieces[] = {
    "　Tagsmit は gif および jpeg 画像の幅と高さをﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟでｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ",
    "するものです。HTML 文書の表示を早くするために、画像の大きさを埋め込むための支援ｿﾌﾄ",
    "として作成してみました。",
    "したがってこれは普通のｴﾃﾞｨﾀｰでﾊﾞﾘﾊﾞﾘ HTML 文書を書く人向けといえます。（＾＾）",
};

inline constexpr const char* kOk = "OK";

}  // namespace tagsmit::about_text
