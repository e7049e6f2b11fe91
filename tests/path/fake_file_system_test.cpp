#include "fake_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The rules of the fake that the path, run and settings tests rely on.
namespace tagsmit {
namespace {

using tagsmit::testing::FakeFileSystem;
using Names = std::vector<std::string>;

TEST(FakeFileSystemWindows, LookupsFoldCaseTakeAliasesAndSkipOnlyTheNamedHiddenEntry) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddDirectory("C:\\Web\\Old", {.hidden = true});
  fs.AddFile("C:\\Web\\Old\\a.gif");
  fs.AddFile("C:\\Web\\boot.ini", "", {.system = true});
  fs.AddFile("C:\\Web\\Photo 1.jpg", "", {.short_alias = "PHOTO~1.JPG"});
  fs.AddDirectory("C:\\Web\\beta");
  fs.AddDirectory("C:\\Web\\Alpha");

  EXPECT_EQ(fs.LookupFileName("c:\\web\\photo~1.jpg"), "Photo 1.jpg");
  EXPECT_EQ(fs.LookupEntryName("C:\\WEB\\PHOTO 1.JPG"), "Photo 1.jpg");
  EXPECT_EQ(fs.LookupEntryName("C:\\Web\\Old"), "");
  EXPECT_EQ(fs.LookupFileName("C:\\Web\\boot.ini"), "");
  EXPECT_EQ(fs.LookupFileName("C:\\Web\\Old\\a.gif"), "a.gif");  // through a hidden folder
  EXPECT_EQ(fs.LookupFileName("C:\\Web\\beta"), "");             // a folder is not a file
  EXPECT_EQ(fs.LookupEntryName("C:\\Web\\"), "Photo 1.jpg");     // first visible, by creation
  EXPECT_EQ(fs.Subdirectories("C:\\Web"), (Names{"Alpha", "beta"}));

  EXPECT_NE(fs.OpenForReading("C:\\Web\\PHOTO~1.JPG").reader, nullptr);
  EXPECT_NE(fs.OpenForReading("C:\\Web\\boot.ini").reader, nullptr);
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
      {"C:\\Web\\\\a.gif", OpenFailure::Other},
      {"E:\\a.gif", OpenFailure::Other},
      {"A:\\a.gif", OpenFailure::Other},
  };
  for (const auto& [path, failure] : cases) {
    const OpenResult opened = fs.OpenForReading(path);
    EXPECT_EQ(opened.reader, nullptr) << path;
    EXPECT_EQ(opened.failure, failure) << path;
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
