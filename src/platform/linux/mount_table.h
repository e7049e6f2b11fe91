#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tagsmit {

// One mounted file system, as the kernel's mount table lists it.
struct MountEntry {
  std::string mount_point;
  std::string type;
};

// Parses one line of /proc/self/mounts, undoing the octal escapes of blanks,
// tabs, line feeds and backslashes in the mount point. Empty for a line that
// has fewer than three fields.
std::optional<MountEntry> ParseMountLine(std::string_view line);

// Whether a user would look for files on this mount: not a kernel pseudo file
// system and not inside the system's own trees (/proc, /sys, /dev, /run, /snap),
// except removable media under /run/media.
bool IsUserVolume(const MountEntry& entry);

}  // namespace tagsmit
