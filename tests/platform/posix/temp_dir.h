#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tagsmit::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. The functions that make something return its path.
class TempDir {
 public:
  TempDir() : path_((std::filesystem::temp_directory_path() / "tagsmit-XXXXXX").string()) {
    if (::mkdtemp(path_.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }

  // Bytes or text, in a file whose folders are made as needed.
  template <class Content = Bytes>
  std::string WriteFile(const std::string& name, const Content& content) const {
    std::filesystem::create_directories(std::filesystem::path(PathOf(name)).parent_path());
    std::ofstream out(PathOf(name), std::ios::binary);
    if (!out.write(reinterpret_cast<const char*>(content.data()), std::ssize(content)).flush()) {
      throw std::runtime_error("cannot write " + name);
    }
    return PathOf(name);
  }
  std::string MakeFolder(const std::string& name) const {
    std::filesystem::create_directories(PathOf(name));
    return PathOf(name);
  }

 private:
  std::string path_;
};

}  // namespace tagsmit::testing
