#pragma once

// The texts of the settings window, its list editing and the directory picker.
namespace tagsmit::settings_text {

inline constexpr const char* kWindowCaption = "Tagsmit 設定";

inline constexpr const char* kConfirmSave = "設定を保存し終了します。よろしいですか？";
inline constexpr const char* kNoDirectory = "ディレクトリがありません";
inline constexpr const char* kNotAbsolute = "基準パスは絶対パスで指定してください";
// The save failed; the store's file and reason follow on the next lines.
inline constexpr const char* kSaveFailed = "設定を保存できませんでした。";

inline constexpr const char* kCheckMessage =
    "貼り付け文字列には \"&w\" と  \"&h\" を必ず1つずつ以上指定してください。";
inline constexpr const char* kCheckTitle = "設定エラー";

inline constexpr const char* kInputTitle = "Tagsmit 入力";
inline constexpr const char* kInputPrompt =
    "貼り付け文字列を入力してください"
    "\n"
    "\n"
    "    ﾌｧｲﾙ名 ..... &f"
    "\n"
    "    幅 ................... &w"
    "\n"
    "    高さ  ............. &h           (&w および &h は1つずつ必要)";
inline constexpr const char* kConfirmDelete = "この貼り付け文字列を削除してもいいですか？";
inline constexpr const char* kNoneLeft = "貼り付け文字列がなくなりました";
inline constexpr const char* kConfirmDefault = "貼り付け文字列を標準に戻していいですか？";

inline constexpr const char* kPickerCaption = "基準ﾊﾟｽを設定してください";
inline constexpr const char* kPickerOk = "OK";
inline constexpr const char* kPickerCancel = "ｷｬﾝｾﾙ";
// The drive chosen in the picker cannot be read (no medium, not mounted, no access).
inline constexpr const char* kDriveUnreadable = "ドライブを読み取れません";

}  // namespace tagsmit::settings_text
