// The volumes of the directory picker, from the kernel's mount table.
#include "platform/linux/linux_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/linux/mount_table.h"

namespace tagsmit {
namespace {

TEST(LinuxFileSystemTest, DrivesAreTheRootThenSortedBrowsableFolders) {
  LinuxFileSystem fs;
  const std::vector<std::string> drives = fs.Drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front(), "/");
  for (std::size_t i = 1; i < drives.size(); ++i) {
    EXPECT_TRUE(fs.IsDirectory(drives[i])) << drives[i];
    EXPECT_TRUE(i == 1 || drives[i - 1] < drives[i]) << "repeated or out of order: " << drives[i];
  }
}

TEST(MountTableTest, ParsesMountPointAndTypeUndoingEscapes) {
  const auto entry = ParseMountLine("/dev/sdb1 /media/My\\040Disk\\011x\\134y vfat rw,nosuid 0 0");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->mount_point, "/media/My Disk\tx\\y");
  EXPECT_EQ(entry->type, "vfat");

  // A backslash that does not start an escape stays as it is.
  EXPECT_EQ(ParseMountLine("dev /a\\9b ext4 rw 0 0")->mount_point, "/a\\9b");
  EXPECT_EQ(ParseMountLine("dev /a\\04 ext4")->mount_point, "/a\\04");
  EXPECT_FALSE(ParseMountLine("/dev/sda1 /mnt").has_value());
}

TEST(MountTableTest, KeepsVolumesAUserBrowsesAndDropsSystemMounts) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"/tmp", "tmpfs", true},  // a type that also serves system mounts
      {"/run/media/me/USB", "exfat", true},
      {"/devices", "ext4", true},  // only whole components count as inside /dev
      {"/dev/shm", "tmpfs", false},
      {"/run/user/1000", "tmpfs", false},
      {"/mnt/cg", "cgroup2", false},  // a kernel interface wherever it is
  };
  for (const auto& [mount_point, type, user_volume] : cases) {
    EXPECT_EQ(IsUserVolume(MountEntry{mount_point, type}), user_volume) << mount_point;
  }
}

}  // namespace
}  // namespace tagsmit
