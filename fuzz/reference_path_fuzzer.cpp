// The reference-path routines in both path styles.
// - MakeRelativePath and MakeUrlPath take any texts. The relative path starts
//   with "./" or "../", a Windows URL path holds no backslash, and for two
//   absolute paths on one drive, going from the base along the relative path
//   textually arrives at the file.
// - GetActualPath over a small tree built from the input: a result names the
//   same entry as the path asked for, spelled as the tree stores every
//   component, and asking again for the result gives it back.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "fake_file_system.h"
#include "fuzz_check.h"
#include "path/reference_path.h"

namespace {

using tagsmit::PathStyle;
using Components = std::vector<std::string>;

char Separator(PathStyle style) {
  return style == PathStyle::Windows ? '\\' : '/';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(PathStyle style, std::string_view a, std::string_view b) {
  if (style == PathStyle::Posix) return a == b;
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

Components Split(std::string_view text, char separator) {
  Components parts;
  std::string part;
  for (const char c : text) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

// Names that collide in letter case, look like aliases or like "." and "..".
std::string Name(FuzzedDataProvider& input) {
  static const char* const kNames[] = {
      "a",           "A",        "b",        "Web", "WEB", "Doc", "Doc.gif", "Photo 1.jpg",
      "PHOTO~1.JPG", "\xC3\xA9", "\xC3\x89", ".",   "..",  "",    "a b"};
  const auto pick = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames));
  return pick < std::size(kNames) ? kNames[pick] : input.ConsumeRandomLengthString(8);
}

// A path of a few names, absolute most of the time, or any text at all.
std::string MakePath(FuzzedDataProvider& input, PathStyle style) {
  if (input.ConsumeIntegralInRange(0, 7) == 0) return input.ConsumeRandomLengthString(64);
  std::string path;
  if (input.ConsumeIntegralInRange(0, 7) != 0) {
    path = style == PathStyle::Windows
               ? std::string(1, input.PickValueInArray({'C', 'c', 'D'})) + ":"
               : "";
    path += Separator(style);
  }
  const int names = input.ConsumeIntegralInRange(0, 5);
  for (int i = 0; i < names; ++i) {
    if (i > 0) path += Separator(style);
    path += Name(input);
  }
  return path;
}

// The drive part, then the names, of an absolute path without empty, "." or
// ".." names or slashes; a trailing separator and trailing "\." pairs only where
// `directory`. Nothing for any other text.
std::optional<Components> AbsoluteComponents(PathStyle style, std::string path, bool directory) {
  const char separator = Separator(style);
  if (style == PathStyle::Posix && !path.starts_with('/')) return std::nullopt;
  const std::string dot_pair{separator, '.'};
  while (directory && path.ends_with(dot_pair)) path.resize(path.size() - 2);
  Components parts = Split(path, separator);
  if (directory && parts.size() > 1 && parts.back().empty()) parts.pop_back();
  const std::string& drive = parts[0];
  const bool drive_ok = style == PathStyle::Windows ? drive.size() == 2 && Lower(drive[0]) >= 'a' &&
                                                          Lower(drive[0]) <= 'z' && drive[1] == ':'
                                                    : drive.empty();
  if (!drive_ok) return std::nullopt;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    // A Windows name never holds a slash, which would read as a separator in
    // the URL path.
    if (parts[i].empty() || parts[i] == "." || parts[i] == ".." ||
        parts[i].find('/') != std::string::npos) {
      return std::nullopt;
    }
  }
  if (!directory && parts.size() < 2) return std::nullopt;
  return parts;
}

void CheckRelativePath(PathStyle style, const std::string& base, const std::string& file) {
  tagsmit::fuzz::Context() =
      "base " + tagsmit::fuzz::Shown(base) + ", file " + tagsmit::fuzz::Shown(file);
  const std::string relative = tagsmit::MakeRelativePath(style, base, file);
  const std::string url = tagsmit::MakeUrlPath(style, base, file);
  FUZZ_CHECK(relative.starts_with("./") || relative.starts_with("../"));
  FUZZ_CHECK_EQ(url.empty(), file.empty());
  if (style == PathStyle::Windows) FUZZ_CHECK(url.find('\\') == std::string::npos);

  const auto from = AbsoluteComponents(style, base, true);
  const auto to = AbsoluteComponents(style, file, false);
  if (!from || !to || !SameName(style, (*from)[0], (*to)[0])) return;
  // Same drive: the URL path is the relative path with slashes.
  std::string slashed = relative;
  for (char& c : slashed) c = c == Separator(style) ? '/' : c;
  FUZZ_CHECK_EQ(url, slashed);
  // Walk it from the base.
  Components at = *from;
  std::string_view rest = relative;
  while (rest.starts_with("../") || rest.starts_with("./")) {
    if (rest.starts_with("../")) {
      FUZZ_CHECK(at.size() > 1);  // never above the drive
      at.pop_back();
      rest.remove_prefix(3);
    } else {
      rest.remove_prefix(2);
    }
  }
  if (!rest.empty()) {
    for (const std::string& name : Split(rest, Separator(style))) at.push_back(name);
  }
  FUZZ_CHECK_EQ(at.size(), to->size());
  for (std::size_t i = 0; i < at.size(); ++i) FUZZ_CHECK(SameName(style, at[i], (*to)[i]));
}

// The names a path asks for, as GetActualPath walks them: Windows after the
// drive, apart at either separator; Posix from the root, taken from the
// current directory when relative, without empty and "." names, ".." taking
// one back.
Components AskedNames(PathStyle style, const std::string& path, const std::string& current) {
  Components names;
  if (style == PathStyle::Windows) {
    std::string names_part = path.size() > 3 ? path.substr(3) : std::string();
    std::replace(names_part.begin(), names_part.end(), '/', '\\');
    if (!names_part.empty()) names = Split(names_part, '\\');
    if (!names.empty() && names.back().empty()) names.pop_back();
    return names;
  }
  for (const std::string& name : Split(path.starts_with('/') ? path : current + "/" + path, '/')) {
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
  }
  return names;
}

void CheckActualPath(FuzzedDataProvider& input, PathStyle style) {
  tagsmit::testing::FakeFileSystem fs(style);
  std::vector<std::string> aliases;
  const int entries = input.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < entries; ++i) {
    const std::string path = MakePath(input, style);
    tagsmit::testing::EntryOptions options;
    options.hidden = input.ConsumeIntegralInRange(0, 5) == 0;
    options.system = input.ConsumeIntegralInRange(0, 5) == 0;
    if (input.ConsumeIntegralInRange(0, 3) == 0) options.short_alias = Name(input);
    try {
      if (input.ConsumeBool()) {
        fs.AddFile(path, "", options);
      } else {
        fs.AddDirectory(path, options);
      }
      if (!options.short_alias.empty()) aliases.push_back(options.short_alias);
    } catch (const std::logic_error&) {
      // Not a path the tree takes: nothing added.
    }
  }
  if (input.ConsumeBool()) {
    try {
      fs.ChangeDirectory(MakePath(input, style));
    } catch (const std::logic_error&) {
    }
  }

  const std::string path = MakePath(input, style);
  const std::string actual = tagsmit::GetActualPath(fs, path);
  tagsmit::fuzz::Context() =
      "path " + tagsmit::fuzz::Shown(path) + ", actual path " + tagsmit::fuzz::Shown(actual);
  if (actual.empty()) return;
  FUZZ_CHECK_EQ(tagsmit::GetActualPath(fs, actual), actual);

  const Components asked = AskedNames(style, path, fs.CurrentDirectory());
  const Components got = AskedNames(style, actual, "/");
  FUZZ_CHECK_EQ(got.size(), asked.size());
  // The drive as asked for, every name as asked for or through an alias.
  std::string prefix = style == PathStyle::Windows ? actual.substr(0, 2) : "";
  if (style == PathStyle::Windows) FUZZ_CHECK_EQ(prefix, path.substr(0, 2));
  for (std::size_t i = 0; i < got.size(); ++i) {
    bool alias = false;
    for (const std::string& a : aliases) alias = alias || SameName(style, a, asked[i]);
    FUZZ_CHECK(alias || SameName(style, got[i], asked[i]));
    prefix += Separator(style) + got[i];
    FUZZ_CHECK_EQ(fs.LookupEntryName(prefix), got[i]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const PathStyle style = input.ConsumeBool() ? PathStyle::Windows : PathStyle::Posix;
  const std::string base = MakePath(input, style);
  const std::string file = MakePath(input, style);
  CheckRelativePath(style, base, file);
  CheckActualPath(input, style);
  return 0;
}
