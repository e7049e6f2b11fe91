#include "platform/posix/posix_file_system.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "temp_dir.h"

namespace tagsmit {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;

struct ScopedCurrentDirectory {
  explicit ScopedCurrentDirectory(const std::string& path) { std::filesystem::current_path(path); }
  ~ScopedCurrentDirectory() { std::filesystem::current_path(previous); }
  const std::filesystem::path previous = std::filesystem::current_path();
};

// Root passes every permission check; in the child of a death test this makes
// the process "nobody" so that file modes bind.
bool BecomeUnprivileged() {
  if (::geteuid() != 0) return true;
  return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void Symlink(const std::string& target, const std::string& name) {
    ASSERT_EQ(::symlink(target.c_str(), dir_.PathOf(name).c_str()), 0);
  }
  void Fifo(const std::string& name) { ASSERT_EQ(::mkfifo(dir_.PathOf(name).c_str(), 0600), 0); }
  std::unique_ptr<ByteReader> Open(const Bytes& content) {
    OpenResult opened = fs_.OpenForReading(dir_.WriteFile("data", content));
    if (!opened.reader) throw std::runtime_error("cannot open");
    return std::move(opened.reader);
  }

  testing::TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(PosixFileSystemTest, OpenTellsAMissingFileFromEveryOtherFailure) {
  dir_.WriteFile("file.gif", {1, 2, 3});
  dir_.MakeFolder("folder.gif");
  Fifo("fifo.gif");
  Symlink("nowhere.gif", "dangling.gif");

  const std::pair<std::string, OpenFailure> cases[] = {
      {dir_.PathOf("absent.gif"), OpenFailure::NotFound},
      {dir_.PathOf("dangling.gif"), OpenFailure::NotFound},  // its target is missing
      {dir_.PathOf("no-folder/absent.gif"), OpenFailure::Other},
      {dir_.PathOf("file.gif/absent.gif"), OpenFailure::Other},
      {dir_.PathOf("absent.gif/"), OpenFailure::Other},
      {dir_.PathOf("folder.gif"), OpenFailure::Other},
      {dir_.PathOf("fifo.gif"), OpenFailure::Other},
      {"", OpenFailure::Other},
  };
  for (const auto& [path, failure] : cases) {
    const OpenResult opened = fs_.OpenForReading(path);
    EXPECT_EQ(opened.reader, nullptr) << path;
    EXPECT_EQ(opened.failure, failure) << path;
  }
  EXPECT_NE(fs_.OpenForReading(dir_.PathOf("file.gif")).reader, nullptr);

  ScopedCurrentDirectory cd(dir_.path());
  EXPECT_NE(fs_.OpenForReading("file.gif").reader, nullptr);
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
    if (!BecomeUnprivileged()) std::_Exit(2);
    const OpenResult opened = fs_.OpenForReading(path);
    std::_Exit(opened.reader ? 3 : opened.failure == OpenFailure::NotFound ? 4 : 0);
  };
  EXPECT_EXIT(failure_as_nobody(unreadable), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(failure_as_nobody(locked + "/inside.gif"), ::testing::ExitedWithCode(0), "");
  // Whether it is missing cannot be known without entering the folder.
  EXPECT_EXIT(failure_as_nobody(locked + "/absent.gif"), ::testing::ExitedWithCode(0), "");
}

TEST_F(PosixFileSystemTest, NameLookupsGiveTheListedName) {
  dir_.WriteFile("Photo.JPG", {1});
  dir_.WriteFile(".hidden.gif", {1});
  dir_.MakeFolder("Web/img");
  dir_.MakeFolder("Empty");
  Fifo("fifo");
  Symlink("Photo.JPG", "link.jpg");

  // Files only.
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Photo.JPG")), "Photo.JPG");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf(".hidden.gif")), ".hidden.gif");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("link.jpg")), "link.jpg");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Web")), "");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Photo.JPG/")), "");

  // Files and folders; a path ending in '/' gives an entry of that folder.
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Photo.JPG")), "Photo.JPG");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Web/img")), "img");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("web")), "");  // case matters here
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("fifo")), "");
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Web/")), "img");
  // An empty folder exists all the same; it answers with its own entry.
  EXPECT_EQ(fs_.LookupEntryName(dir_.PathOf("Empty/")), ".");

  ScopedCurrentDirectory cd(dir_.path());
  EXPECT_EQ(fs_.LookupFileName("Photo.JPG"), "Photo.JPG");
}

TEST_F(PosixFileSystemTest, ReaderReadsAndSkipsAcrossBufferBoundaries) {
  // Each byte tells its offset, so a read from the wrong place shows.
  Bytes content(20000);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i % 251);
  auto in = Open(content);

  std::array<std::uint8_t, 3> head{};
  ASSERT_TRUE(in->Read(head));
  EXPECT_EQ(Bytes(head.begin(), head.end()), Bytes(content.begin(), content.begin() + 3));
  Bytes long_read(9000);  // more than one buffer's worth
  ASSERT_TRUE(in->Read(long_read));
  EXPECT_EQ(long_read, Bytes(content.begin() + 3, content.begin() + 9003));

  std::uint8_t byte = 0;
  ASSERT_TRUE(in->Skip(10));  // inside what is buffered
  ASSERT_TRUE(in->Read(std::span(&byte, 1)));
  EXPECT_EQ(byte, content[9013]);
  ASSERT_TRUE(in->Skip(8000));  // beyond the buffer
  ASSERT_TRUE(in->Read(std::span(&byte, 1)));
  EXPECT_EQ(byte, content[17014]);
  EXPECT_FALSE(in->AtEnd());

  ASSERT_TRUE(in->Skip(content.size() - 17015));  // exactly to the end
  EXPECT_TRUE(in->AtEnd());
  EXPECT_FALSE(in->Read(std::span(&byte, 1)));
}

TEST_F(PosixFileSystemTest, ReaderSkippingOrReadingPastTheEndFails) {
  const Bytes content(10000, 0x20);
  EXPECT_FALSE(Open(content)->Skip(content.size() + 1));

  auto in = Open(content);
  std::array<std::uint8_t, 10> some{};
  ASSERT_TRUE(in->Read(some));  // the rest of the buffer counts towards the end too
  EXPECT_FALSE(in->Skip(content.size() - 9));

  in = Open({});
  EXPECT_TRUE(in->AtEnd());
  EXPECT_FALSE(in->Skip(1));
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
  for (const char* name : {"beta", "Alpha", "alpha", ".git", "Gamma"}) dir_.MakeFolder(name);
  dir_.WriteFile("delta", {1});
  Symlink("beta", "epsilon");
  Symlink("nowhere", "zeta");
  Symlink("delta", "eta");

  EXPECT_THAT(fs_.Subdirectories(dir_.path()),
              ElementsAre("Alpha", "alpha", "beta", "epsilon", "Gamma"));
  EXPECT_TRUE(fs_.Subdirectories(dir_.PathOf("absent")).empty());
  EXPECT_TRUE(fs_.Subdirectories(dir_.PathOf("delta")).empty());
}

TEST_F(PosixFileSystemTest, DrivesAreTheRootThenSortedBrowsableFolders) {
  const std::vector<std::string> drives = fs_.Drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front(), "/");
  for (std::size_t i = 1; i < drives.size(); ++i) {
    EXPECT_TRUE(fs_.IsDirectory(drives[i])) << drives[i];
    EXPECT_TRUE(i == 1 || drives[i - 1] < drives[i]) << "repeated or out of order: " << drives[i];
  }
}

}  // namespace
}  // namespace tagsmit
