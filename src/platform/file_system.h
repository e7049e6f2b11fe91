#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace tagsmit {

// How the platform spells paths. Windows: a drive part of two characters,
// backslashes, names compared without regard to case. Posix: one root, '/',
// names compared with case significant.
enum class PathStyle { Windows, Posix };

// A file opened for sequential reading of its raw bytes.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Fills `out` completely; false when the file ends first or reading fails.
  virtual bool Read(std::span<std::uint8_t> out) = 0;
  // Fills `out` as far as the file goes: the count of bytes read, less than
  // out.size() only at the end of the file or when reading fails.
  virtual std::size_t ReadUpTo(std::span<std::uint8_t> out) = 0;
  // Passes over `count` bytes without reading them; false when the file ends
  // before all of them are passed.
  virtual bool Skip(std::uint64_t count) = 0;
  // True when no byte is left.
  virtual bool AtEnd() = 0;
  // Passes over the bytes up to and including the next `byte`; false when the
  // file ends first. Long stretches are scanned in large reads, not byte by byte.
  virtual bool SkipPast(std::uint8_t byte) = 0;
  // Passes over bytes equal to `byte`, up to the first other one, which is left
  // to read; false when the file ends first.
  virtual bool SkipWhile(std::uint8_t byte) = 0;
  // Goes back to the first byte, as if the file had just been opened.
  virtual void Rewind() = 0;
};

// An open file, or why not. The size query tells the user apart a file that
// is simply absent (kNotFound: no entry of that name in an existing folder)
// from every other problem (a missing folder, access denied, a folder, a FIFO
// or device, ...).
using OpenedFile = Result<std::unique_ptr<ByteReader>>;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual PathStyle Style() const = 0;

  // Opens for reading, positioned at the first byte. Never blocks: anything
  // that is not a regular file fails with ErrorKind::kOther.
  virtual OpenedFile OpenForReading(const std::string& path) = 0;

  // The stored name of the last component (no directory part), matching
  // ordinary files only, hidden and system ones too (a name that exists is
  // never empty); empty text when nothing matches.
  virtual std::string LookupFileName(const std::string& path) = 0;

  // As LookupFileName, with directories matched as well. For a path that ends
  // in a separator: the first entry of that directory. Errors give empty text.
  virtual std::string LookupEntryName(const std::string& path) = 0;

  // The stored names of the files in the folder of `path` whose names begin
  // with its last component ("C:\Web\logo" gives "logo.png", "Logo@2x.png",
  // ...), compared as the system compares names; hidden and system files too,
  // as LookupFileName names them, and no directory. Empty when none matches,
  // when the folder cannot be read and when the last component is empty.
  // Only the names that match are kept and looked at further, so a folder of
  // many files costs one pass over its listing.
  virtual std::vector<std::string> FileNamesStartingWith(const std::string& path) = 0;

  // Full path of the current directory.
  virtual std::string CurrentDirectory() = 0;

  // What the symbolic link at `path` (a full path) holds, as written in it;
  // nothing when `path` is no link. Only POSIX systems need it: they resolve
  // ".." after a link beside the link's target, while Windows takes ".."
  // back by the text before it follows any link.
  virtual std::optional<std::string> LinkTarget(const std::string& /*path*/) {
    return std::nullopt;
  }

  // Used by the directory picker.
  virtual bool IsDirectory(const std::string& path) = 0;
  // The volumes a user can pick from, the root (or first drive) first.
  virtual std::vector<std::string> Drives() = 0;
  // Names of the subdirectories of `path`, sorted for display; hidden and
  // system entries left out.
  virtual std::vector<std::string> Subdirectories(const std::string& path) = 0;
};

}  // namespace tagsmit
