#include "platform/posix/posix_file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_dir.h"
#include "unprivileged.h"

namespace tagsmit {
namespace {

using ::testing::ElementsAre;
using testing::TempDir;

// Changes the process's current directory for the length of a test.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& path)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~ScopedCurrentDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void Symlink(const std::string& target, const std::string& name) {
    ASSERT_EQ(::symlink(target.c_str(), dir_.PathOf(name).c_str()), 0);
  }

  TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(PosixFileSystemTest, OpenTellsAMissingFileFromEveryOtherFailure) {
  dir_.WriteFile("file.gif", {1, 2, 3});
  dir_.MakeFolder("folder.gif");
  ASSERT_EQ(::mkfifo(dir_.PathOf("fifo.gif").c_str(), 0600), 0);
  Symlink("nowhere.gif", "dangling.gif");

  struct Case {
    std::string path;
    OpenFailure failure;
  };
  const Case cases[] = {
      {dir_.PathOf("absent.gif"), OpenFailure::NotFound},
      {dir_.PathOf("dangling.gif"), OpenFailure::NotFound},  // its target is missing
      {dir_.PathOf("no-folder/absent.gif"), OpenFailure::Other},
      {dir_.PathOf("file.gif/absent.gif"), OpenFailure::Other},
      {dir_.PathOf("file.gif/"), OpenFailure::Other},
      {dir_.PathOf("absent.gif/"), OpenFailure::Other},
      {dir_.PathOf("folder.gif"), OpenFailure::Other},
      {dir_.PathOf("fifo.gif"), OpenFailure::Other},
      {dir_.PathOf(std::string(300, 'x') + ".gif"), OpenFailure::Other},
      {"/dev/null", OpenFailure::Other},
      {"", OpenFailure::Other},
  };
  for (const Case& c : cases) {
    const OpenResult opened = fs_.OpenForReading(c.path);
    EXPECT_EQ(opened.reader, nullptr) << c.path;
    EXPECT_EQ(opened.failure, c.failure) << c.path;
  }
  EXPECT_NE(fs_.OpenForReading(dir_.PathOf("file.gif")).reader, nullptr);
}

TEST_F(PosixFileSystemTest, OpenTakesRelativeNamesFromTheCurrentDirectory) {
  dir_.WriteFile("here.gif", {1});
  ScopedCurrentDirectory cd(dir_.path());
  EXPECT_NE(fs_.OpenForReading("here.gif").reader, nullptr);
  EXPECT_EQ(fs_.OpenForReading("absent.gif").failure, OpenFailure::NotFound);
  EXPECT_EQ(fs_.OpenForReading("absent/a.gif").failure, OpenFailure::Other);
}

TEST_F(PosixFileSystemTest, OpenDeniedByPermissionsIsOtherFailure) {
  // The folder lets everyone in; "locked" keeps everyone but its owner out.
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  const std::string unreadable = dir_.WriteFile("unreadable.gif", {1});
  ASSERT_EQ(::chmod(unreadable.c_str(), 0), 0);
  const std::string locked = dir_.MakeFolder("locked");
  dir_.WriteFile("locked/inside.gif", {1});
  ASSERT_EQ(::chmod(locked.c_str(), 0700), 0);

  const auto failure_as_nobody = [&](const std::string& path) {
    if (!testing::BecomeUnprivileged()) std::_Exit(2);
    const OpenResult opened = fs_.OpenForReading(path);
    std::_Exit(opened.reader ? 3 : opened.failure == OpenFailure::NotFound ? 4 : 0);
  };
  EXPECT_EXIT(failure_as_nobody(unreadable), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(failure_as_nobody(locked + "/inside.gif"), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(failure_as_nobody(locked + "/absent.gif"), ::testing::ExitedWithCode(0), "");
}

TEST_F(PosixFileSystemTest, FileNameLookupMatchesRegularFilesOnly) {
  dir_.WriteFile("Photo.JPG", {1});
  dir_.WriteFile(".hidden.gif", {1});
  dir_.MakeFolder("Folder");
  ASSERT_EQ(::mkfifo(dir_.PathOf("fifo").c_str(), 0600), 0);
  Symlink("Photo.JPG", "link.jpg");

  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Photo.JPG")), "Photo.JPG");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf(".hidden.gif")), ".hidden.gif");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("link.jpg")), "link.jpg");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Folder/../Photo.JPG")), "Photo.JPG");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Folder")), "");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("fifo")), "");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Photo.JPG/")), "");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("absent.jpg")), "");
  EXPECT_EQ(fs_.LookupFileName(""), "");

  ScopedCurrentDirectory cd(dir_.path());
  EXPECT_EQ(fs_.LookupFileName("Photo.JPG"), "Photo.JPG");
}

TEST_F(PosixFileSystemTest, EntryNameLookupMatchesFilesAndFolders) {
  dir_.WriteFile("a.gif", {1});
  dir_.MakeFolder("Web/img");
  dir_.MakeFolder(".config");
  ASSERT_EQ(::mkfifo(dir_.PathOf("fifo").c_str(), 0600), 0);

  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("a.gif")), "a.gif");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Web")), "Web");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Web/img")), "img");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf(".config")), ".config");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("fifo")), "");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("web")), "");  // case matters here
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("absent/img")), "");
  EXPECT_EQ(fs_.LookupEntryName(""), "");
}

TEST_F(PosixFileSystemTest, EntryNameLookupOfAFolderPathGivesAnEntryOfIt) {
  dir_.MakeFolder("Web/img");
  dir_.MakeFolder("Empty");
  dir_.WriteFile("file", {1});

  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Web/")), "img");
  // An empty folder exists all the same; it answers with its own entry.
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Empty/")), ".");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("absent/")), "");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("file/")), "");

  const std::string in_root = fs_.LookupEntryName("/");
  EXPECT_NE(in_root, "");
  EXPECT_NE(in_root, ".");
  EXPECT_NE(in_root, "..");
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status("/" + in_root)));
}

TEST_F(PosixFileSystemTest, CurrentDirectoryOfAnyLength) {
  // Deeper than any first guess at a buffer size.
  std::string deep = dir_.path();
  for (int i = 0; i < 40; ++i) deep += "/" + std::string(20, static_cast<char>('a' + i % 26));
  std::filesystem::create_directories(deep);

  ScopedCurrentDirectory cd(deep);
  EXPECT_EQ(fs_.CurrentDirectory(), std::filesystem::canonical(deep).string());
}

TEST_F(PosixFileSystemTest, SubdirectoriesAreSortedVisibleFolders) {
  dir_.MakeFolder("beta");
  dir_.MakeFolder("Alpha");
  dir_.MakeFolder("alpha");
  dir_.MakeFolder(".git");
  dir_.MakeFolder("Gamma");
  dir_.WriteFile("delta", {1});
  Symlink("beta", "epsilon");
  Symlink("nowhere", "zeta");
  Symlink("delta", "eta");

  EXPECT_THAT(fs_.Subdirectories(dir_.path()),
              ElementsAre("Alpha", "alpha", "beta", "epsilon", "Gamma"));
  EXPECT_TRUE(fs_.Subdirectories(dir_.PathOf("absent")).empty());
  EXPECT_TRUE(fs_.Subdirectories(dir_.PathOf("delta")).empty());
}

TEST_F(PosixFileSystemTest, DrivesStartAtTheRootAndAreBrowsableFolders) {
  const std::vector<std::string> drives = fs_.Drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front(), "/");
  for (std::size_t i = 1; i < drives.size(); ++i) {
    EXPECT_TRUE(fs_.IsDirectory(drives[i])) << drives[i];
    EXPECT_NE(drives[i], "/");
    EXPECT_FALSE(drives[i].starts_with("/proc")) << drives[i];
    EXPECT_FALSE(drives[i].starts_with("/sys/")) << drives[i];
    if (i > 1) {
      EXPECT_LT(drives[i - 1], drives[i]);  // sorted, no repeats
    }
  }
}

}  // namespace
}  // namespace tagsmit
