#include "run/clip_str.h"

#include <algorithm>
#include <vector>

namespace tagsmit {
namespace {

std::string TrimBlanks(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::size_t ReplaceEach(std::string& subject, std::span<const Replacement> replacements) {
  if (subject.empty()) return 0;
  // Where each search text occurs next, at or after `copied`; found again
  // only once a replacement has passed it, so the text is searched once.
  const auto find = [&](const Replacement& r, std::size_t from) {
    return r.search.empty() ? std::string::npos : subject.find(r.search, from);
  };
  std::vector<std::size_t> next(replacements.size());
  for (std::size_t i = 0; i < replacements.size(); ++i) next[i] = find(replacements[i], 0);

  // The result is built in one pass: replacing in place would move the rest
  // of the subject at every occurrence.
  std::string result;
  std::size_t count = 0;
  std::size_t copied = 0;  // subject[0, copied) is in the result
  for (;;) {
    const auto first = std::min_element(next.begin(), next.end());  // the first listed of equals
    if (first == next.end() || *first == std::string::npos) break;
    const Replacement& r = replacements[static_cast<std::size_t>(first - next.begin())];
    if (count == 0) result.reserve(subject.size());
    result.append(subject, copied, *first - copied);
    result += r.text;  // never searched again
    copied = *first + r.search.size();
    ++count;
    for (std::size_t i = 0; i < next.size(); ++i) {
      if (next[i] != std::string::npos && next[i] < copied) next[i] = find(replacements[i], copied);
    }
  }
  if (count == 0) return 0;
  result.append(subject, copied);
  subject = std::move(result);
  return count;
}

std::size_t ReplaceAll(std::string& subject, std::string_view search,
                       std::string_view replacement) {
  const Replacement one{search, replacement};
  return ReplaceEach(subject, std::span(&one, 1));
}

std::string ExpandClipStr(std::string clip_str, const std::string& path, std::string width,
                          std::string height, const std::optional<std::string>& srcset) {
  ReplaceAll(clip_str, "&w", TrimBlanks(std::move(width)));
  ReplaceAll(clip_str, "&h", TrimBlanks(std::move(height)));
  const Replacement fills[] = {{"&f", path}, {"&s", srcset ? *srcset : std::string_view()}};
  ReplaceEach(clip_str, std::span(fills).first(srcset ? 2 : 1));
  return clip_str;
}

}  // namespace tagsmit
