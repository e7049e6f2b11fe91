#include "platform/linux/mount_table.h"

#include <algorithm>
#include <iterator>

namespace tagsmit {
namespace {

// Kernel interfaces that are mounted like file systems but hold no user files.
constexpr std::string_view kPseudoTypes[] = {
    "autofs", "binfmt_misc", "bpf",        "cgroup",     "cgroup2",   "configfs", "debugfs",
    "devpts", "devtmpfs",    "efivarfs",   "fusectl",    "hugetlbfs", "mqueue",   "nsfs",
    "proc",   "pstore",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",    "tracefs",
};

constexpr std::string_view kSystemTrees[] = {"/proc", "/sys", "/dev", "/run", "/snap"};

bool IsUnder(std::string_view path, std::string_view tree) {
  return path.starts_with(tree) && (path.size() == tree.size() || path[tree.size()] == '/');
}

bool IsOctalDigit(char c) {
  return c >= '0' && c <= '7';
}

// The kernel writes blank, tab, line feed and backslash as \ooo.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
        IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

// The next blank-separated field of `rest`, which is advanced past it.
std::string_view NextField(std::string_view& rest) {
  const std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
  const std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end);
  return field;
}

}  // namespace

std::optional<MountEntry> ParseMountLine(std::string_view line) {
  NextField(line);  // the device
  const std::string_view mount_point = NextField(line);
  const std::string_view type = NextField(line);
  if (type.empty()) return std::nullopt;
  return MountEntry{Unescape(mount_point), Unescape(type)};
}

bool IsUserVolume(const MountEntry& entry) {
  if (std::ranges::find(kPseudoTypes, entry.type) != std::end(kPseudoTypes)) return false;
  if (IsUnder(entry.mount_point, "/run/media")) return true;
  return std::ranges::none_of(
      kSystemTrees, [&](std::string_view tree) { return IsUnder(entry.mount_point, tree); });
}

}  // namespace tagsmit
