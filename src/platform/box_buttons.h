#pragma once

// The buttons of the message and input boxes, labelled as a Japanese Windows
// labels them whatever the system's language: "&" marks the key that
// answers (Y and N, with or without Alt).
namespace tagsmit::box_button {

inline constexpr const char* kYes = "はい(&Y)";
inline constexpr const char* kNo = "いいえ(&N)";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "キャンセル";

}  // namespace tagsmit::box_button
