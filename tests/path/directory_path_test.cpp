#include "path/directory_path.h"

#include <gtest/gtest.h>

namespace tagsmit {
namespace {

TEST(DirectoryPathTest, NormalizedPathsAndTheirDrives) {
  EXPECT_EQ(NormalizeDirectory(PathStyle::Posix, "/home//user/./web/"), "/home/user/web");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Posix, "/home/user/../srv"), "/home/srv");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Posix, "home/user"), "");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Windows, "\\Web"), "");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Windows, "c:/Web\\..\\Img/"), "c:\\Img");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Windows, "C:\\.."), "C:\\");

  // A drive is a path's letter, or its longest mount point.
  const std::vector<std::string> windows{"A:\\", "C:\\", "D:\\"};
  EXPECT_EQ(DriveOf(PathStyle::Windows, windows, "c:\\Web"), "C:\\");
  EXPECT_EQ(DriveOf(PathStyle::Windows, windows, ""), "");
  const std::vector<std::string> mounts{"/", "/media/usb", "/media/usb/inner"};
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb"), "/media/usb");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb/inner/x"), "/media/usb/inner");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb2/x"), "/");  // not a prefix by name
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "relative"), "");
}

}  // namespace
}  // namespace tagsmit
