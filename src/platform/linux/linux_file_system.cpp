#include "platform/linux/linux_file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "platform/linux/mount_table.h"

namespace tagsmit {
namespace {

bool IsBrowsable(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         ::access(path.c_str(), R_OK | X_OK) == 0;
}

}  // namespace

std::vector<std::string> LinuxFileSystem::Drives() {
  std::vector<std::string> others;
  std::ifstream mounts("/proc/self/mounts");
  for (std::string line; std::getline(mounts, line);) {
    const auto entry = ParseMountLine(line);
    if (entry && entry->mount_point != "/" && IsUserVolume(*entry) &&
        IsBrowsable(entry->mount_point)) {
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
