#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit::testing {

// Marks of one entry of a FakeFileSystem.
struct EntryOptions {
  // Hidden and system entries are left out of LookupEntryName and of
  // Subdirectories (LookupFileName names files whatever their marks). They
  // can still be opened, and a path may pass through a hidden directory: only
  // the entry a lookup names is filtered.
  bool hidden = false;
  bool system = false;
  // A second name that every operation accepts in place of the stored one,
  // such as "PHOTO~1.JPG" for "Photo 1.jpg". Lookups return the stored name.
  std::string short_alias = {};  // (initialised so that designated initialisers may leave it out)
};

// An in-memory file system for tests.
//
// Windows style: drives "C:" to "Z:" (drive C exists from the start), '\'
// separators, names and aliases compared without regard to ASCII letter case,
// a bare drive "C:" standing for its root. Posix style: one root "/", '/'
// separators, names compared exactly.
//
// A path without a drive (Windows) or not starting with '/' (Posix) is taken
// from the current directory, which starts at the root ("C:\" or "/"). So is
// "C:a.gif" when C is the current drive; on another drive it is taken from
// that drive's root. Empty components (C:\Web\\a.gif) make a path
// malformed; "." and ".." are ordinary names that never exist (the building
// calls refuse them, as names and as aliases). Forward slashes
// separate as well in the Windows style, as on Windows.
//
// The building calls create missing parent directories (and drives), and throw
// std::logic_error on misuse: a malformed path, a name or alias already taken,
// a parent that is a file.
class FakeFileSystem : public FileSystem {
 public:
  explicit FakeFileSystem(PathStyle style);

  // Adds the drive if needed. A drive that is not ready is still listed by
  // Drives(), but nothing on it can be reached: IsDirectory is false,
  // Subdirectories empty, lookups empty, opens fail with Other. Takes "D:",
  // "D:\" or, in the Posix style, "/".
  void SetDriveReady(const std::string& drive, bool ready);
  // Adds a directory or a file (holding `contents`, any byte values) that is not there yet.
  void AddDirectory(const std::string& path, EntryOptions options = {});
  void AddFile(const std::string& path, std::string_view contents = {}, EntryOptions options = {});
  // Must name an existing directory; CurrentDirectory() returns it as given.
  void ChangeDirectory(const std::string& path);

  PathStyle Style() const override { return style_; }
  // NotFound only when the folder exists and holds no entry of that name.
  OpenedFile OpenForReading(const std::string& path) override;
  std::string LookupFileName(const std::string& path) override;
  // A path ending in a separator, or a bare drive, gives the first visible
  // entry of that directory in order of creation (empty text when none).
  std::string LookupEntryName(const std::string& path) override;
  // In order of creation; aliases are not matched.
  std::vector<std::string> FileNamesStartingWith(const std::string& path) override;
  std::string CurrentDirectory() override { return current_directory_; }
  bool IsDirectory(const std::string& path) override;
  // Windows: "C:\", "D:\", ... in letter order. Posix: "/".
  std::vector<std::string> Drives() override;
  // Visible subdirectories, sorted (without regard to case in the Windows style).
  std::vector<std::string> Subdirectories(const std::string& path) override;

 private:
  struct Node {  // (every member initialised, for designated initialisers)
    std::string name = {};
    bool is_directory = true;
    EntryOptions options = {};
    std::string contents = {};
    std::vector<std::unique_ptr<Node>> children = {};  // in order of creation
  };
  struct Drive {
    bool ready = true;
    Node root;
  };
  struct ParsedPath {
    char drive = '/';  // upper-case letter, or '/' for the Posix root
    std::vector<std::string> components;
    bool names_directory = false;  // ends in a separator, or is a bare drive or root
  };
  enum class Reach { Found, Missing, Broken };
  // Missing: the parent directory exists but holds no such name.
  // Broken: anything else that stops the walk.
  struct Resolved {
    Reach reach = Reach::Broken;
    Node* node = nullptr;
    bool names_directory = false;
  };

  char separator() const { return style_ == PathStyle::Windows ? '\\' : '/'; }
  // Windows takes a forward slash for a backslash.
  std::string_view Separators() const { return style_ == PathStyle::Windows ? "\\/" : "/"; }
  bool IsSeparator(char c) const { return Separators().find(c) != std::string_view::npos; }
  bool SameName(std::string_view a, std::string_view b) const;
  static bool Visible(const Node& node) { return !node.options.hidden && !node.options.system; }
  std::optional<char> DriveKey(std::string_view drive) const;
  std::optional<ParsedPath> Parse(const std::string& path) const;
  ParsedPath ParseOrThrow(const std::string& path) const;
  std::string FromCurrentDirectory(std::string_view relative) const;
  Node* FindChild(const Node& directory, std::string_view name) const;
  void Add(const std::string& path, Node node);
  Resolved Resolve(const std::string& path);
  // The directory that will hold the last component, created as needed.
  Node& MakeParents(const ParsedPath& parsed, const std::string& path);

  PathStyle style_;
  std::map<char, Drive> drives_;
  std::string current_directory_;
};

}  // namespace tagsmit::testing
