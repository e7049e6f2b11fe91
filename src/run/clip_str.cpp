#include "run/clip_str.h"

namespace tagsmit {
namespace {

std::string TrimBlanks(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::size_t ReplaceAll(std::string& subject, std::string_view search,
                       std::string_view replacement) {
  if (subject.empty() || search.empty()) return 0;
  // The result is built in one pass: replacing in place would move the rest
  // of the subject at every occurrence.
  std::string result;
  std::size_t count = 0;
  std::size_t copied = 0;  // subject[0, copied) is in the result
  for (std::size_t at = subject.find(search); at != std::string::npos;
       at = subject.find(search, copied)) {
    if (count == 0) result.reserve(subject.size());
    result.append(subject, copied, at - copied);
    result += replacement;  // never searched again
    copied = at + search.size();
    ++count;
  }
  if (count == 0) return 0;
  result.append(subject, copied);
  subject = std::move(result);
  return count;
}

std::string ExpandClipStr(std::string clip_str, const std::string& path, std::string width,
                          std::string height) {
  ReplaceAll(clip_str, "&w", TrimBlanks(std::move(width)));
  ReplaceAll(clip_str, "&h", TrimBlanks(std::move(height)));
  ReplaceAll(clip_str, "&f", path);
  return clip_str;
}

}  // namespace tagsmit
