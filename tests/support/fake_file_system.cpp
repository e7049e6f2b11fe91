#include "fake_file_system.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "base/ascii.h"
#include "platform/buffered_byte_reader.h"

namespace tagsmit::testing {
namespace {

char FoldAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Reads from its own copy of the file's bytes, as an open file would.
class StringReader final : public BufferedByteReader {
 public:
  explicit StringReader(std::string bytes)
      : BufferedByteReader(bytes.size()), bytes_(std::move(bytes)) {}

 private:
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    const std::size_t count = std::min(out.size(), bytes_.size() - offset);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, out.begin());
    return count;
  }

  std::string bytes_;
};

}  // namespace

FakeFileSystem::FakeFileSystem(PathStyle style)
    : style_(style), current_directory_(style == PathStyle::Windows ? "C:\\" : "/") {
  drives_[style == PathStyle::Windows ? 'C' : '/'];
}

void FakeFileSystem::SetDriveReady(const std::string& drive, bool ready) {
  const std::optional<char> key = DriveKey(drive);
  if (!key) throw std::logic_error("not a drive: " + drive);
  drives_[*key].ready = ready;
}

void FakeFileSystem::AddDirectory(const std::string& path, EntryOptions options) {
  Add(path, Node{.is_directory = true, .options = std::move(options)});
}

void FakeFileSystem::AddFile(const std::string& path, std::string_view contents,
                             EntryOptions options) {
  Add(path,
      Node{
          .is_directory = false, .options = std::move(options), .contents = std::string(contents)});
}

void FakeFileSystem::Add(const std::string& path, Node node) {
  const ParsedPath parsed = ParseOrThrow(path);
  if (parsed.components.empty()) throw std::logic_error("a root exists already: " + path);
  if (!node.is_directory && parsed.names_directory) {
    throw std::logic_error("not a file name: " + path);
  }
  Node& parent = MakeParents(parsed, path);
  // A tree no file system could hold would let the path rules pass for the
  // wrong reason.
  if (FindChild(parent, parsed.components.back())) throw std::logic_error("name taken: " + path);
  const std::string& alias = node.options.short_alias;
  if (alias == "." || alias == ".." || (!alias.empty() && FindChild(parent, alias))) {
    throw std::logic_error("short alias refused or taken: " + alias);
  }
  node.name = parsed.components.back();
  parent.children.push_back(std::make_unique<Node>(std::move(node)));
}

void FakeFileSystem::ChangeDirectory(const std::string& path) {
  const bool absolute = style_ == PathStyle::Windows
                            ? path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':'
                            : path.starts_with('/');
  if (!absolute || !IsDirectory(path)) {
    throw std::logic_error("not an absolute path of a directory: " + path);
  }
  current_directory_ = path;
}

OpenedFile FakeFileSystem::OpenForReading(const std::string& path) {
  const Resolved resolved = Resolve(path);
  if (resolved.reach == Reach::Missing && !resolved.names_directory) {
    return OpenedFile::Failure("missing", ErrorKind::kNotFound);
  }
  if (resolved.reach != Reach::Found || resolved.names_directory || resolved.node->is_directory) {
    return OpenedFile::Failure("not a file");
  }
  return OpenedFile(std::make_unique<StringReader>(resolved.node->contents));
}

std::string FakeFileSystem::LookupFileName(const std::string& path) {
  const Resolved resolved = Resolve(path);
  if (resolved.reach != Reach::Found || resolved.names_directory || resolved.node->is_directory) {
    return {};
  }
  return resolved.node->name;
}

std::string FakeFileSystem::LookupEntryName(const std::string& path) {
  const Resolved resolved = Resolve(path);
  if (resolved.reach != Reach::Found) return {};
  const Node& node = *resolved.node;
  if (!resolved.names_directory) return Visible(node) ? node.name : std::string();
  if (!node.is_directory) return {};
  for (const auto& child : node.children) {
    if (Visible(*child)) return child->name;
  }
  return {};
}

std::vector<std::string> FakeFileSystem::FileNamesStartingWith(const std::string& path) {
  std::vector<std::string> names;
  const std::optional<ParsedPath> parsed = Parse(path);
  if (!parsed || parsed->names_directory) return names;
  const auto drive = drives_.find(parsed->drive);
  if (drive == drives_.end() || !drive->second.ready) return names;
  const Node* folder = &drive->second.root;
  for (std::size_t i = 0; folder && i + 1 < parsed->components.size(); ++i) {
    folder = folder->is_directory ? FindChild(*folder, parsed->components[i]) : nullptr;
  }
  if (!folder || !folder->is_directory) return names;
  const std::string& start = parsed->components.back();
  for (const auto& child : folder->children) {
    if (!child->is_directory && child->name.size() >= start.size() &&
        SameName(std::string_view(child->name).substr(0, start.size()), start)) {
      names.push_back(child->name);
    }
  }
  return names;
}

bool FakeFileSystem::IsDirectory(const std::string& path) {
  const Resolved resolved = Resolve(path);
  return resolved.reach == Reach::Found && resolved.node->is_directory;
}

std::vector<std::string> FakeFileSystem::Drives() {
  std::vector<std::string> drives;
  for (const auto& [key, drive] : drives_) {
    drives.push_back(style_ == PathStyle::Windows ? std::string{key, ':', '\\'} : "/");
  }
  return drives;
}

std::vector<std::string> FakeFileSystem::Subdirectories(const std::string& path) {
  const Resolved resolved = Resolve(path);
  std::vector<std::string> names;
  if (resolved.reach != Reach::Found || !resolved.node->is_directory) return names;
  for (const auto& child : resolved.node->children) {
    if (child->is_directory && Visible(*child)) names.push_back(child->name);
  }
  const bool fold = style_ == PathStyle::Windows;
  std::sort(names.begin(), names.end(), [fold](const std::string& a, const std::string& b) {
    if (fold && !EqualIgnoringAsciiCase(a, b)) return AsciiLower(a) < AsciiLower(b);
    return a < b;
  });
  return names;
}

bool FakeFileSystem::SameName(std::string_view a, std::string_view b) const {
  return style_ == PathStyle::Windows ? EqualIgnoringAsciiCase(a, b) : a == b;
}

std::optional<char> FakeFileSystem::DriveKey(std::string_view drive) const {
  if (style_ == PathStyle::Posix) return drive == "/" ? std::optional<char>('/') : std::nullopt;
  const bool bare = drive.size() == 2 || (drive.size() == 3 && IsSeparator(drive[2]));
  if (!bare || !IsAsciiLetter(drive[0]) || drive[1] != ':') return std::nullopt;
  return FoldAscii(drive[0]);
}

std::optional<FakeFileSystem::ParsedPath> FakeFileSystem::Parse(const std::string& path) const {
  ParsedPath parsed;
  std::string_view rest = path;
  if (rest.empty()) return std::nullopt;
  if (style_ == PathStyle::Windows && rest.size() >= 2 && IsAsciiLetter(rest[0]) &&
      rest[1] == ':') {
    parsed.drive = FoldAscii(rest[0]);
    rest.remove_prefix(2);
    if (rest.empty()) {  // a bare drive stands for its root
      parsed.names_directory = true;
      return parsed;
    }
    if (IsSeparator(rest.front())) {
      rest.remove_prefix(1);
    } else if (parsed.drive == FoldAscii(current_directory_[0])) {
      return Parse(FromCurrentDirectory(rest));  // "C:a.gif" on the current drive
    }  // else from the root of that drive, which is its current directory here
  } else if (IsSeparator(rest.front())) {
    parsed.drive = style_ == PathStyle::Windows ? FoldAscii(current_directory_[0]) : '/';
    rest.remove_prefix(1);
  } else {
    return Parse(FromCurrentDirectory(rest));
  }
  if (rest.empty()) {
    parsed.names_directory = true;
    return parsed;
  }
  while (true) {
    const std::size_t end = rest.find_first_of(Separators());
    parsed.components.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  if (parsed.components.back().empty()) {
    parsed.components.pop_back();
    parsed.names_directory = true;
  }
  for (const std::string& component : parsed.components) {
    if (component.empty()) return std::nullopt;
  }
  return parsed;
}

std::string FakeFileSystem::FromCurrentDirectory(std::string_view relative) const {
  const bool ends_in_separator = current_directory_.ends_with(separator());
  return current_directory_ + (ends_in_separator ? "" : std::string(1, separator())) +
         std::string(relative);
}

FakeFileSystem::ParsedPath FakeFileSystem::ParseOrThrow(const std::string& path) const {
  std::optional<ParsedPath> parsed = Parse(path);
  if (!parsed) throw std::logic_error("malformed path: " + path);
  for (const std::string& component : parsed->components) {
    if (component == "." || component == "..") throw std::logic_error("no such name: " + path);
  }
  return std::move(*parsed);
}

FakeFileSystem::Node* FakeFileSystem::FindChild(const Node& directory,
                                                std::string_view name) const {
  for (const auto& child : directory.children) {
    if (SameName(child->name, name)) return child.get();
    if (!child->options.short_alias.empty() && SameName(child->options.short_alias, name)) {
      return child.get();
    }
  }
  return nullptr;
}

FakeFileSystem::Resolved FakeFileSystem::Resolve(const std::string& path) {
  const std::optional<ParsedPath> parsed = Parse(path);
  if (!parsed) return {};
  const auto drive = drives_.find(parsed->drive);
  if (drive == drives_.end() || !drive->second.ready) return {};
  Node* node = &drive->second.root;
  for (std::size_t i = 0; i < parsed->components.size(); ++i) {
    if (!node->is_directory) return {};
    Node* child = FindChild(*node, parsed->components[i]);
    if (!child) {
      const bool last = i + 1 == parsed->components.size();
      return {last ? Reach::Missing : Reach::Broken, nullptr, parsed->names_directory};
    }
    node = child;
  }
  return {Reach::Found, node, parsed->names_directory};
}

FakeFileSystem::Node& FakeFileSystem::MakeParents(const ParsedPath& parsed,
                                                  const std::string& path) {
  Node* node = &drives_[parsed.drive].root;
  for (std::size_t i = 0; i + 1 < parsed.components.size(); ++i) {
    Node* child = FindChild(*node, parsed.components[i]);
    if (!child) {
      auto directory = std::make_unique<Node>();
      directory->name = parsed.components[i];
      child = directory.get();
      node->children.push_back(std::move(directory));
    }
    if (!child->is_directory) throw std::logic_error("a file is in the way: " + path);
    node = child;
  }
  return *node;
}

}  // namespace tagsmit::testing
