#pragma once

// The failure messages of the size query, as the user sees them.
namespace tagsmit::testing {

inline constexpr char kMissing[] = "ファイルが存在しません";
inline constexpr char kUnsuitable[] = "ファイルが適切ではありません";
inline constexpr char kNotGifOrJpg[] = "gif, jpg ファイルではありません";
inline constexpr char kGifWrong[] = "gif ファイルがおかしい";
inline constexpr char kJpgWrong[] = "jpg ファイルがおかしい";
inline constexpr char kJpgStrange[] = "jpg ファイルが変です";

}  // namespace tagsmit::testing
