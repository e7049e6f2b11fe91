#include "fake_file_system.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tagsmit {
namespace {

using tagsmit::testing::FakeFileSystem;

std::string ReadAll(ByteReader& reader, std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  if (!reader.Read(bytes)) return "<short>";
  return std::string(bytes.begin(), bytes.end());
}

TEST(FakeFileSystemWindows, ShortAliasWorksLikeTheStoredName) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddFile("C:\\Web\\Photo 1.jpg", "xyz", {.short_alias = "PHOTO~1.JPG"});

  EXPECT_EQ(fs.LookupFileName("c:\\web\\photo~1.jpg"), "Photo 1.jpg");
  EXPECT_EQ(fs.LookupEntryName("C:\\WEB\\PHOTO~1.JPG"), "Photo 1.jpg");
  OpenResult opened = fs.OpenForReading("C:\\Web\\PHOTO~1.JPG");
  ASSERT_NE(opened.reader, nullptr);
  EXPECT_EQ(ReadAll(*opened.reader, 3), "xyz");
  EXPECT_THROW(fs.AddFile("C:\\Web\\photo~1.jpg"), std::logic_error);
}

TEST(FakeFileSystemWindows, HiddenAndSystemEntriesAreSkippedOnlyWhereNamed) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddDirectory("C:\\Web\\Old", {.hidden = true});
  fs.AddFile("C:\\Web\\Old\\a.gif", "GIF");
  fs.AddFile("C:\\Web\\boot.ini", "", {.system = true});
  fs.AddDirectory("C:\\Web\\beta");
  fs.AddDirectory("C:\\Web\\Alpha");
  fs.AddDirectory("C:\\Web\\Sys", {.system = true});

  EXPECT_EQ(fs.LookupEntryName("C:\\Web\\Old"), "");
  EXPECT_EQ(fs.LookupFileName("C:\\Web\\boot.ini"), "");
  EXPECT_EQ(fs.LookupEntryName("C:\\Web\\"), "beta");  // first visible entry
  // A path through a hidden directory still reaches the file.
  EXPECT_EQ(fs.LookupFileName("C:\\Web\\Old\\a.gif"), "a.gif");
  EXPECT_NE(fs.OpenForReading("C:\\Web\\boot.ini").reader, nullptr);
  EXPECT_TRUE(fs.IsDirectory("C:\\Web\\Old"));
  EXPECT_EQ(fs.Subdirectories("C:\\Web"), (std::vector<std::string>{"Alpha", "beta"}));
  EXPECT_EQ(fs.LookupFileName("C:\\Web\\beta"), "");  // a directory is no ordinary file
}

TEST(FakeFileSystemWindows, MissingFileIsToldApartFromOtherFailures) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddFile("C:\\Web\\a.gif");
  fs.AddFile("C:\\Web\\locked.gif", "", {.unreadable = true});
  fs.AddFile("C:\\Web\\Locked\\a.gif");
  fs.AddDirectory("C:\\Web\\Locked", {.unreadable = true});
  fs.AddFile("A:\\a.gif");
  fs.SetDriveReady("A:", false);

  const std::pair<std::string, OpenFailure> cases[] = {
      {"C:\\Web\\missing.gif", OpenFailure::NotFound},
      {"c:\\WEB\\missing.gif", OpenFailure::NotFound},
      {"C:\\Nope\\a.gif", OpenFailure::Other},
      {"C:\\Web", OpenFailure::Other},
      {"C:\\Web\\a.gif\\", OpenFailure::Other},
      {"C:\\Web\\a.gif\\x", OpenFailure::Other},
      {"C:\\Web\\locked.gif", OpenFailure::Other},
      {"C:\\Web\\Locked\\a.gif", OpenFailure::Other},
      {"C:\\Web\\Locked\\missing.gif", OpenFailure::Other},
      {"C:\\Web\\\\a.gif", OpenFailure::Other},
      {"E:\\a.gif", OpenFailure::Other},
      {"A:\\a.gif", OpenFailure::Other},
  };
  for (const auto& [path, failure] : cases) {
    SCOPED_TRACE(path);
    const OpenResult opened = fs.OpenForReading(path);
    EXPECT_EQ(opened.reader, nullptr);
    EXPECT_EQ(opened.failure, failure);
  }
  EXPECT_NE(fs.OpenForReading("C:\\Web\\a.gif").reader, nullptr);
}

TEST(FakeFileSystemWindows, DrivesRootsAndCurrentDirectory) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddFile("C:\\z.gif");
  fs.AddDirectory("C:\\Web");
  fs.AddFile("C:\\Web\\a.gif");
  fs.AddDrive("D:");
  fs.AddDrive("a:\\");
  fs.SetDriveReady("A:", false);

  EXPECT_EQ(fs.Drives(), (std::vector<std::string>{"A:\\", "C:\\", "D:\\"}));
  EXPECT_EQ(fs.LookupEntryName("C:\\"), "z.gif");  // order of creation
  EXPECT_EQ(fs.LookupEntryName("C:"), "z.gif");
  EXPECT_FALSE(fs.IsDirectory("A:\\"));
  EXPECT_TRUE(fs.IsDirectory("D:\\"));
  EXPECT_TRUE(fs.Subdirectories("A:\\").empty());
  fs.SetDriveReady("A:", true);
  EXPECT_TRUE(fs.IsDirectory("A:\\"));

  EXPECT_EQ(fs.CurrentDirectory(), "C:\\");
  fs.SetCurrentDirectory("C:\\Web");
  EXPECT_EQ(fs.CurrentDirectory(), "C:\\Web");
  EXPECT_EQ(fs.LookupFileName("A.GIF"), "a.gif");
  EXPECT_THROW(fs.SetCurrentDirectory("C:\\Web\\a.gif"), std::logic_error);
}

TEST(FakeFileSystemPosix, NamesAreCaseSensitiveAndRelativeToTheCurrentDirectory) {
  FakeFileSystem fs(PathStyle::Posix);
  fs.AddFile("/home/u/a.gif", "lower");
  fs.AddFile("/home/u/A.gif", "upper");
  fs.SetCurrentDirectory("/home/u");

  EXPECT_EQ(fs.Drives(), std::vector<std::string>{"/"});
  EXPECT_EQ(fs.LookupFileName("A.gif"), "A.gif");
  EXPECT_EQ(fs.LookupFileName("/home/u/A.GIF"), "");
  EXPECT_EQ(fs.LookupEntryName("/"), "home");
  EXPECT_EQ(fs.OpenForReading("/home/U/a.gif").failure, OpenFailure::Other);
  OpenResult opened = fs.OpenForReading("a.gif");
  ASSERT_NE(opened.reader, nullptr);
  EXPECT_EQ(ReadAll(*opened.reader, 5), "lower");
}

TEST(FakeFileSystemReader, ReadsSkipsAndEnds) {
  FakeFileSystem fs(PathStyle::Posix);
  fs.AddFile("/f", std::string("\x00\xff"
                               "abc",
                               5));
  OpenResult opened = fs.OpenForReading("/f");
  ASSERT_NE(opened.reader, nullptr);
  ByteReader& reader = *opened.reader;

  std::array<std::uint8_t, 2> two{};
  ASSERT_TRUE(reader.Read(two));
  EXPECT_EQ(two, (std::array<std::uint8_t, 2>{0x00, 0xff}));
  EXPECT_TRUE(reader.Skip(1));
  EXPECT_FALSE(reader.AtEnd());
  std::array<std::uint8_t, 3> three{};
  EXPECT_FALSE(reader.Read(three));  // only "bc" is left
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.Skip(1));
  EXPECT_FALSE(fs.OpenForReading("/f").reader->Skip(6));
}

}  // namespace
}  // namespace tagsmit
