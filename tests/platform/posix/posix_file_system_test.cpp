#include "platform/posix/posix_file_system.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>

#include "path/reference_path.h"
#include "temp_dir.h"

namespace tagsmit {
namespace {

using testing::Bytes;

// Works inside a fresh folder, so that paths relative to it name its entries.
class PosixFileSystemTest : public ::testing::Test {
 protected:
  PosixFileSystemTest() { std::filesystem::current_path(dir_.path()); }
  ~PosixFileSystemTest() override { std::filesystem::current_path(previous_); }
  std::unique_ptr<ByteReader> Open(const Bytes& content) {
    return fs_.OpenForReading(dir_.WriteFile("data", content)).value();
  }

  const std::filesystem::path previous_ = std::filesystem::current_path();
  testing::TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(PosixFileSystemTest, OpenTellsAMissingFileFromEveryOtherFailure) {
  dir_.WriteFile("file.gif", {1, 2, 3});
  dir_.MakeFolder("folder.gif");
  const std::pair<std::string, ErrorKind> cases[] = {
      {dir_.PathOf("absent.gif"), ErrorKind::kNotFound},
      {"absent.gif", ErrorKind::kNotFound},  // in the current directory
      {"no-folder/absent.gif", ErrorKind::kOther},
      {"file.gif/absent.gif", ErrorKind::kOther},
      {"absent.gif/", ErrorKind::kOther},
      {"folder.gif", ErrorKind::kOther},
      {"", ErrorKind::kOther},
  };
  for (const auto& [path, failure] : cases) {
    const OpenedFile opened = fs_.OpenForReading(path);
    EXPECT_TRUE(!opened.ok() && opened.kind() == failure) << path;
  }
}

TEST_F(PosixFileSystemTest, OpenDeniedByPermissionsIsOtherFailure) {
  // The folder lets everyone in; "locked" keeps everyone but its owner out.
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(dir_.WriteFile("unreadable.gif", {1}).c_str(), 0), 0);
  dir_.WriteFile("locked/inside.gif", {1});
  ASSERT_EQ(::chmod(dir_.PathOf("locked").c_str(), 0700), 0);
  // Root passes every permission check, so the child becomes "nobody". Whether
  // locked/absent.gif is missing cannot be known without entering the folder.
  const auto all_other_as_nobody = [&] {
    const bool root = ::geteuid() == 0;
    if (root && (::setgroups(0, nullptr) || ::setgid(65534) || ::setuid(65534))) std::_Exit(2);
    for (const char* path : {"unreadable.gif", "locked/inside.gif", "locked/absent.gif"}) {
      const OpenedFile opened = fs_.OpenForReading(path);
      if (opened.ok() || opened.kind() != ErrorKind::kOther) std::_Exit(1);
    }
    std::_Exit(0);
  };
  EXPECT_EXIT(all_other_as_nobody(), ::testing::ExitedWithCode(0), "");
}

TEST_F(PosixFileSystemTest, NameLookupsGiveTheListedName) {
  dir_.WriteFile("Photo.JPG", {1});
  dir_.WriteFile(".hidden.gif", {1});
  dir_.MakeFolder("Web/img");
  dir_.MakeFolder("Empty");
  EXPECT_EQ(fs_.LookupFileName(dir_.PathOf("Photo.JPG")), "Photo.JPG");
  EXPECT_EQ(fs_.LookupFileName(".hidden.gif"), ".hidden.gif");
  EXPECT_EQ(fs_.LookupFileName("Web"), "");
  EXPECT_EQ(fs_.LookupFileName("Photo.JPG/"), "");

  EXPECT_EQ(fs_.LookupEntryName("Web/img"), "img");
  EXPECT_EQ(fs_.LookupEntryName("web"), "");  // case matters here
  // A path ending in '/' gives an entry of that folder; an empty folder exists
  // all the same and answers with its own entry.
  EXPECT_EQ(fs_.LookupEntryName("Web/"), "img");
  EXPECT_EQ(fs_.LookupEntryName("Empty/"), ".");
}

// Files (also through links) whose names begin with the last component,
// compared exactly; folders and dangling links are no files.
TEST_F(PosixFileSystemTest, FileNamesStartingWithTheLastComponent) {
  for (const char* name : {"logo.png", "logo@2x.png", "Logo@3x.png", "logos/a.png", "blogo.png"}) {
    dir_.WriteFile(name, {1});
  }
  dir_.MakeFolder("logo@4x.png");
  ASSERT_EQ(::symlink("logo.png", "logo@5x.png"), 0);
  ASSERT_EQ(::symlink("absent.png", "logo@6x.png"), 0);
  const auto logo = ::testing::UnorderedElementsAre("logo.png", "logo@2x.png", "logo@5x.png");
  EXPECT_THAT(fs_.FileNamesStartingWith("logo"), logo);
  EXPECT_THAT(fs_.FileNamesStartingWith(dir_.PathOf("logo")), logo);
  EXPECT_THAT(fs_.FileNamesStartingWith(dir_.PathOf("logos/")), ::testing::IsEmpty());
  EXPECT_THAT(fs_.FileNamesStartingWith("absent/logo"), ::testing::IsEmpty());
  EXPECT_THAT(fs_.FileNamesStartingWith("logos/a"), ::testing::ElementsAre("a.png"));
}

// ".." after a link leads where the system goes, above the link's target, so
// the path named is the file measured; paths without it keep their links.
TEST_F(PosixFileSystemTest, ActualPathsTakeDotDotAfterALinkAsTheSystemDoes) {
  dir_.WriteFile("site/x.gif", {1});
  dir_.WriteFile("other/x.gif", {2});
  dir_.MakeFolder("other/real/deep");
  dir_.MakeFolder("site/img");
  ASSERT_EQ(::symlink("../other/real", "site/link"), 0);
  ASSERT_EQ(::symlink(dir_.PathOf("other/real/deep").c_str(), "site/absolute"), 0);
  ASSERT_EQ(::symlink("link/deep/..", "site/chain"), 0);
  ASSERT_EQ(::symlink("loop/..", "site/loop"), 0);
  const std::pair<std::string, std::string> cases[] = {
      {"site/link/../x.gif", "other/x.gif"},
      {"site/absolute/../../x.gif", "other/x.gif"},
      {"site/chain/../x.gif", "other/x.gif"},
      {"site/link/deep/../../x.gif", "other/x.gif"},
      {"site/img/../x.gif", "site/x.gif"},
      {"site/link/deep", "site/link/deep"},
      {"site/loop/../x.gif", ""},
  };
  for (const auto& [path, actual] : cases) {
    EXPECT_EQ(GetActualPath(fs_, path), actual.empty() ? "" : dir_.PathOf(actual)) << path;
  }
}

TEST_F(PosixFileSystemTest, ReaderReadsAndSkipsAcrossBufferBoundaries) {
  // Each byte tells its offset, so a read from the wrong place shows.
  Bytes content(20000);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i % 251);
  auto in = Open(content);
  Bytes head(9003);  // more than one buffer's worth
  ASSERT_TRUE(in->Read(head));
  EXPECT_EQ(head, Bytes(content.begin(), content.begin() + 9003));

  std::uint8_t byte = 0;
  for (const std::size_t skip : {10, 8000}) {  // inside what is buffered, then beyond it
    ASSERT_TRUE(in->Skip(skip));
    ASSERT_TRUE(in->Read(std::span(&byte, 1)));
  }
  EXPECT_EQ(byte, content[17014]);
  EXPECT_FALSE(in->AtEnd());
  // A read up to more than is left gives the rest; back at the start, the same
  // bytes again, whether the first ones are still buffered or not.
  Bytes rest(5000);
  EXPECT_EQ(in->ReadUpTo(rest), 2985u);
  EXPECT_EQ(rest[2984], content.back());
  in->Rewind();
  ASSERT_TRUE(in->Read(head));
  EXPECT_EQ(head, Bytes(content.begin(), content.begin() + 9003));
  in = Open(content);
  Bytes first(10);
  ASSERT_TRUE(in->Read(first) && in->Skip(15000));
  in->Rewind();
  ASSERT_TRUE(in->Read(head));
  EXPECT_EQ(head, Bytes(content.begin(), content.begin() + 9003));

  // A skip to the very end passes and one byte further fails, also when part of
  // the rest is buffered.
  const std::tuple<std::size_t, std::uint64_t, bool> skips[] = {
      {0, 10000, true}, {0, 10001, false}, {10, 9990, true}, {10, 9991, false}};
  for (const auto& [read, skip, passes] : skips) {
    in = Open(Bytes(10000, 0x20));
    Bytes some(read);
    ASSERT_TRUE(in->Read(some));
    EXPECT_EQ(in->Skip(skip), passes) << read << " then " << skip;
    EXPECT_TRUE(!passes || in->AtEnd());
  }
}

TEST_F(PosixFileSystemTest, CurrentDirectoryOfAnyLength) {
  // Deeper than any first guess at a buffer size.
  std::string deep = dir_.path();
  for (int i = 0; i < 40; ++i) deep += "/" + std::string(20, static_cast<char>('a' + i % 26));
  std::filesystem::create_directories(deep);
  std::filesystem::current_path(deep);
  EXPECT_EQ(fs_.CurrentDirectory(), std::filesystem::canonical(deep).string());
}

TEST_F(PosixFileSystemTest, SubdirectoriesAreSortedVisibleFolders) {
  for (const char* name : {"beta", "Alpha", "alpha", ".git", "Gamma"}) dir_.MakeFolder(name);
  dir_.WriteFile("delta", {1});
  ASSERT_EQ(::symlink("beta", "epsilon"), 0);
  EXPECT_THAT(fs_.Subdirectories(dir_.path()),
              ::testing::ElementsAre("Alpha", "alpha", "beta", "epsilon", "Gamma"));
  EXPECT_TRUE(fs_.Subdirectories("absent").empty());
}

}  // namespace
}  // namespace tagsmit
