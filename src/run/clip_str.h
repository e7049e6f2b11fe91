#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tagsmit {

// Replaces every occurrence of `search` in `subject`; inserted text is never
// searched again. Returns the number of replacements.
std::size_t ReplaceAll(std::string& subject, std::string_view search, std::string_view replacement);

// Fills a paste string: "&w" and "&h" first, then "&f", so placeholders inside
// the path stay as they are. Width and height lose surrounding blanks.
std::string ExpandClipStr(std::string clip_str, const std::string& path, std::string width,
                          std::string height);

}  // namespace tagsmit
