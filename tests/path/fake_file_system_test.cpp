#include "fake_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The rules of the fake that the path, run and settings tests rely on.
namespace tagsmit {
namespace {

using tagsmit::testing::FakeFileSystem;
using Names = std::vector<std::string>;

// Case folding and short aliases are covered where the path and run tests use them.
TEST(FakeFileSystemWindows, LookupsSkipOnlyTheNamedHiddenOrSystemEntry) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddDirectory("C:\\Web\\Old", {.hidden = true});
  fs.AddFile("C:\\Web\\Old\\a.gif");
  fs.AddFile("C:\\Web\\boot.ini", "", {.system = true});
  fs.AddFile("C:\\Web\\Photo 1.jpg");
  fs.AddDirectory("C:\\Web\\beta");
  fs.AddDirectory("C:\\Web\\Alpha");

  EXPECT_EQ(fs.LookupFileName("C:\\Web\\boot.ini"), "");
  EXPECT_EQ(fs.LookupFileName("C:\\Web\\Old\\a.gif"), "a.gif");  // through a hidden folder
  EXPECT_EQ(fs.LookupEntryName("C:\\Web\\"), "Photo 1.jpg");     // first visible, by creation
  EXPECT_EQ(fs.Subdirectories("C:\\Web"), (Names{"Alpha", "beta"}));
}

TEST(FakeFileSystemWindows, OpenFailsWithNotFoundOnlyInAnExistingFolder) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddFile("C:\\Web\\a.gif");
  fs.AddFile("A:\\a.gif");
  fs.SetDriveReady("A:", false);

  const std::pair<std::string, OpenFailure> cases[] = {
      {"c:\\WEB\\missing.gif", OpenFailure::NotFound},
      {"C:\\Nope\\a.gif", OpenFailure::Other},
      {"C:\\Web", OpenFailure::Other},
      {"C:\\Web\\a.gif\\", OpenFailure::Other},
      {"C:\\Web\\a.gif\\x", OpenFailure::Other},
      {"A:\\a.gif", OpenFailure::Other},  // a drive that is not ready
  };
  for (const auto& [path, failure] : cases) {
    const OpenResult opened = fs.OpenForReading(path);
    EXPECT_TRUE(opened.reader == nullptr && opened.failure == failure) << path;
  }
}

TEST(FakeFileSystemWindows, DrivesRootsAndCurrentDirectory) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddFile("C:\\z.gif");
  fs.AddFile("C:\\Web\\a.gif");
  fs.AddDrive("D:");
  fs.AddDrive("a:\\");
  fs.SetDriveReady("A:", false);

  EXPECT_EQ(fs.Drives(), (Names{"A:\\", "C:\\", "D:\\"}));
  EXPECT_FALSE(fs.IsDirectory("A:\\"));
  EXPECT_TRUE(fs.IsDirectory("D:\\"));
  EXPECT_EQ(fs.LookupEntryName("C:"), "z.gif");  // a bare drive is its root
  fs.SetCurrentDirectory("C:\\Web");
  EXPECT_EQ(fs.CurrentDirectory(), "C:\\Web");
  EXPECT_EQ(fs.LookupFileName("A.GIF"), "a.gif");
}

}  // namespace
}  // namespace tagsmit
