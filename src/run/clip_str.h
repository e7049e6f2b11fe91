#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tagsmit {

// A text to search for and what takes its place.
struct Replacement {
  std::string_view search;
  std::string_view text;
};

// Replaces, from left to right, every occurrence of any of the search texts
// in `subject` (the first listed where two start at one place); inserted text
// is never searched again, and an empty search text matches nothing. Returns
// the number of replacements.
std::size_t ReplaceEach(std::string& subject, std::span<const Replacement> replacements);

// ReplaceEach with one search text.
std::size_t ReplaceAll(std::string& subject, std::string_view search, std::string_view replacement);

// Fills a paste string: "&w" and "&h" first, then "&f" and, when a srcset is
// given, "&s" in one pass, so placeholders inside the path or the list stay
// as they are. Width and height lose surrounding blanks.
std::string ExpandClipStr(std::string clip_str, const std::string& path, std::string width,
                          std::string height, const std::optional<std::string>& srcset = {});

}  // namespace tagsmit
