#pragma once

#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"

namespace tagsmit {

// The file system of Linux: the POSIX one, whose volumes a user picks from
// are the mounted file systems the kernel's mount table lists.
class LinuxFileSystem final : public PosixFileSystem {
 public:
  // "/" first, then the other mounted volumes a user can browse, sorted.
  std::vector<std::string> Drives() override;
};

}  // namespace tagsmit
