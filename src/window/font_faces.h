#pragma once

#include <span>

#include "window/control_spec.h"

namespace tagsmit {

// The font names of each face in order of preference: the Windows fonts the
// windows were drawn for, then Japanese faces of the same kind that stand in
// where those are not installed (the fixed-pitch ones give Latin and kana one
// cell and kanji two, so paste strings and paths keep their columns).
inline constexpr const char* kProportionalFaces[] = {
    "ＭＳ Ｐゴシック", "MS PGothic",   "Yu Gothic UI",
    "Meiryo UI",       "MS UI Gothic", "Noto Sans CJK JP",
};
inline constexpr const char* kFixedFaces[] = {
    "ＭＳ ゴシック",
    "MS Gothic",
    "BIZ UDGothic",
    "Noto Sans Mono CJK JP",
};

inline std::span<const char* const> FaceNames(FontFace face) {
  if (face == FontFace::Fixed) return kFixedFaces;
  return kProportionalFaces;
}

}  // namespace tagsmit
