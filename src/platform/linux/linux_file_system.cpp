#include "platform/linux/linux_file_system.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "platform/linux/mount_table.h"

namespace tagsmit {

std::vector<std::string> LinuxFileSystem::Drives() {
  std::vector<std::string> others;
  std::ifstream mounts("/proc/self/mounts");
  for (std::string line; std::getline(mounts, line);) {
    const auto entry = ParseMountLine(line);
    if (entry && entry->mount_point != "/" && IsUserVolume(*entry) &&
        IsDirectory(entry->mount_point) && ::access(entry->mount_point.c_str(), R_OK | X_OK) == 0) {
      others.push_back(entry->mount_point);
    }
  }
  std::sort(others.begin(), others.end());
  others.erase(std::unique(others.begin(), others.end()), others.end());

  std::vector<std::string> drives{"/"};
  drives.insert(drives.end(), others.begin(), others.end());
  return drives;
}

}  // namespace tagsmit
