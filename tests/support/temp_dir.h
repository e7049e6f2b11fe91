#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/settings_file/utf8_path.h"

namespace tagsmit::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. Names are UTF-8 text, '/' separating folders;
// the functions that make something return its path as UTF-8 text.
class TempDir {
 public:
  TempDir()
      : path_(std::filesystem::temp_directory_path() /
              PathFromUtf8("tagsmit-" + std::to_string(std::random_device{}()))) {
    if (!std::filesystem::create_directory(path_)) throw std::runtime_error("no fresh folder");
  }
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string PathOf(const std::string& name) const {
    return Utf8FromPath(path_ / PathFromUtf8(name));
  }

  // Bytes or text, in a file whose folders are made as needed.
  template <class Content = Bytes>
  std::string WriteFile(const std::string& name, const Content& content) const {
    const std::filesystem::path file = path_ / PathFromUtf8(name);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    if (!out.write(reinterpret_cast<const char*>(content.data()), std::ssize(content)).flush()) {
      throw std::runtime_error("cannot write " + name);
    }
    return PathOf(name);
  }
  std::string MakeFolder(const std::string& name) const {
    std::filesystem::create_directories(path_ / PathFromUtf8(name));
    return PathOf(name);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace tagsmit::testing
