#include "path/path_syntax.h"

#include <algorithm>

#include "base/ascii.h"

namespace tagsmit {
namespace {

// The prefix of Windows' extended-length paths.
constexpr std::string_view kLongPathPrefix = "\\\\?\\";

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Bytes taken by the first `count` characters of UTF-8 text, so that a
// multi-byte character is never split. A stray continuation byte counts as a
// character of its own.
std::size_t CharPrefixLength(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (; count > 0 && end < text.size(); --count) {
    const bool lead = !IsContinuationByte(text[end]);
    ++end;
    while (lead && end < text.size() && IsContinuationByte(text[end])) ++end;
  }
  return end;
}

// As many links as Linux follows in one path; more count as a loop.
constexpr int kMostLinks = 40;

// The absolute POSIX path of `components` below the root.
std::string PosixPath(const std::vector<std::string>& components) {
  std::string path;
  for (const std::string& component : components) {
    path += '/';
    path += component;
  }
  return path.empty() ? "/" : path;
}

// Puts the components of a POSIX path, empty ones included, on `ahead` so
// that the first comes off the back first.
void PushComponents(std::vector<std::string>& ahead, std::string_view path) {
  const std::size_t first = ahead.size();
  for (std::size_t end = path.find('/');; end = path.find('/')) {
    ahead.emplace_back(path.substr(0, end));
    if (end == std::string_view::npos) break;
    path.remove_prefix(end + 1);
  }
  std::reverse(ahead.begin() + static_cast<std::ptrdiff_t>(first), ahead.end());
}

}  // namespace

bool PathSyntax::SameName(std::string_view a, std::string_view b) const {
  if (style_ == PathStyle::Posix) return a == b;
  return EqualIgnoringAsciiCase(a, b);
}

std::optional<std::string> PathSyntax::Rooted(const std::string& path, FileSystem& fs) const {
  if (style_ == PathStyle::Windows) {
    std::string plain = path;
    if (plain.starts_with(kLongPathPrefix)) {
      plain.erase(0, kLongPathPrefix.size());  // whose rest the system takes literally
    } else {
      std::replace(plain.begin(), plain.end(), '/', '\\');
    }
    if (!HasDriveLetter(plain) || (plain.size() > 2 && plain[2] != '\\')) return std::nullopt;
    return plain;
  }
  if (path.empty()) return std::nullopt;
  const std::string joined = path.starts_with('/') ? path : fs.CurrentDirectory() + "/" + path;
  if (!joined.starts_with('/')) return std::nullopt;  // no usable current directory
  // Dropping "." and empty components never changes the file named. ".." is
  // taken back textually, as the shell does for its logical current directory,
  // so "../img/a.gif" names img beside the current directory. After a symbolic
  // link, though, the system goes to the folder above the link's target: there
  // the link gives way to its target before ".." applies, so that the path
  // names the file the system opens.
  std::vector<std::string> walked;
  std::vector<std::string> ahead;  // the next component last
  PushComponents(ahead, joined);
  int links = 0;
  while (!ahead.empty()) {
    std::string component = std::move(ahead.back());
    ahead.pop_back();
    if (component != "..") {
      if (!component.empty() && component != ".") walked.push_back(std::move(component));
      continue;
    }
    if (walked.empty()) continue;  // above the root is the root
    const std::optional<std::string> target = fs.LinkTarget(PosixPath(walked));
    walked.pop_back();
    if (!target) continue;
    if (++links > kMostLinks) return std::nullopt;  // a loop, which the system refuses too
    if (target->starts_with('/')) walked.clear();
    ahead.emplace_back("..");
    PushComponents(ahead, *target);
  }
  return PosixPath(walked);
}

std::string PathSyntax::DriveKey(std::string_view path) const {
  if (style_ == PathStyle::Posix) return path.starts_with('/') ? "/" : "";
  return AsciiLower(path.substr(0, CharPrefixLength(path, 2)));
}

std::string PathSyntax::DriveQualified(std::string_view file) const {
  if (style_ == PathStyle::Posix) return std::string(file);
  const std::size_t first = CharPrefixLength(file, 1);
  const std::size_t second = CharPrefixLength(file, 2);
  std::string qualified = "/";
  qualified += file.substr(0, first);
  if (second > first) qualified += '|';
  qualified += file.substr(second);
  return qualified;
}

bool PathSyntax::HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

bool PathSyntax::IsSeparator(char c) const {
  return c == separator() || (style_ == PathStyle::Windows && c == '/');
}

std::vector<std::string> PathSyntax::PlainComponents(std::string_view path) const {
  std::vector<std::string> components;
  std::string_view rest = path;
  while (!rest.empty()) {
    const std::size_t end = std::min(FindSeparator(rest), rest.size());
    const std::string_view component = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (component == "..") {
      if (!components.empty()) components.pop_back();
    } else if (!component.empty() && component != ".") {
      components.emplace_back(component);
    }
  }
  return components;
}

std::size_t PathSyntax::FindSeparator(std::string_view path) const {
  return path.find_first_of(style_ == PathStyle::Windows ? "\\/" : "/");
}

std::string_view PathSyntax::SplitFirst(std::string_view& rest) const {
  const std::size_t end = FindSeparator(rest);
  const std::string_view component = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return component;
}

std::string_view PathSyntax::FirstComponent(std::string_view path) const {
  return path.substr(0, FindSeparator(path));
}

std::size_t PathSyntax::NameStart(std::string_view path) const {
  const std::size_t separator = path.find_last_of(style_ == PathStyle::Windows ? "\\/" : "/");
  if (separator != std::string_view::npos) return separator + 1;
  return style_ == PathStyle::Windows && HasDriveLetter(path) ? 2 : 0;
}

}  // namespace tagsmit
