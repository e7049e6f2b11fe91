#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tagsmit::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // `name` relative to the folder.
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }

  // Each returns the full path of what it made.
  std::string WriteFile(const std::string& name, const Bytes& bytes) const;
  std::string MakeFolder(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace tagsmit::testing
