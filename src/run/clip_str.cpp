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

int ReplaceAll(std::string& subject, std::string_view search, std::string_view replacement) {
  if (subject.empty() || search.empty()) return 0;
  int count = 0;
  for (std::size_t at = subject.find(search); at != std::string::npos;
       at = subject.find(search, at)) {
    subject.replace(at, search.size(), replacement);
    at += replacement.size();  // the inserted text is never searched again
    ++count;
  }
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
