#include <gtest/gtest.h>

#include <string>

#include "fake_file_system.h"
#include "path/reference_path.h"

namespace tagsmit {
namespace {

using tagsmit::testing::FakeFileSystem;

constexpr PathStyle kPosix = PathStyle::Posix;

// A site under /home/u/Web, worked on from /home/u/Web/doc.
class PosixReferencePath : public ::testing::Test {
 protected:
  PosixReferencePath() {
    fs.AddFile("/home/u/Web/doc/a.gif");
    fs.AddFile("/home/u/Web/img/a.gif");
    fs.AddFile("/home/u/Web/a\\b.gif");
    fs.AddDirectory("/home/u/Web/Empty");
    fs.AddFile("/srv/x.gif");
    fs.SetCurrentDirectory("/home/u/Web/doc");
  }

  FakeFileSystem fs{kPosix};
};

TEST_F(PosixReferencePath, ActualPathIsAbsoluteAndCaseSensitive) {
  const std::pair<std::string, std::string> rows[] = {
      {"/home/u/Web/doc/a.gif", "/home/u/Web/doc/a.gif"},
      {"a.gif", "/home/u/Web/doc/a.gif"},  // from the current directory
      {"..//img/./a.gif", "/home/u/Web/img/a.gif"},
      {"/home/u/web/doc/a.gif", ""},  // letter case tells names apart
      // A directory loses its trailing slash, also when it is empty.
      {"/home/u/Web/Empty/", "/home/u/Web/Empty"},
      {"/..", "/"},  // the root stays an absolute path
      {"/home/u/Web/missing.gif", ""},
      {"", ""},
  };
  for (const auto& [path, actual] : rows) {
    SCOPED_TRACE(path);
    EXPECT_EQ(GetActualPath(fs, path), actual);
  }
}

TEST_F(PosixReferencePath, ReferenceFromTheCurrentDirectory) {
  const std::string base = fs.CurrentDirectory();
  const std::pair<std::string, std::string> rows[] = {
      {"a.gif", "./a.gif"},
      {"../img/a.gif", "../img/a.gif"},
      {"/srv/x.gif", "../../../../srv/x.gif"},
      {"../a\\b.gif", "../a\\b.gif"},  // a backslash is part of a POSIX name
  };
  for (const auto& [file, reference] : rows) {
    SCOPED_TRACE(file);
    EXPECT_EQ(MakeUrlPath(kPosix, base, GetActualPath(fs, file)), reference);
  }
  // The resolved root is a base path like any other.
  EXPECT_EQ(MakeUrlPath(kPosix, GetActualPath(fs, "/"), "/srv/x.gif"), "./srv/x.gif");
}

TEST(PosixUrlPath, EdgeCasesOnTexts) {
  struct Case {
    std::string base, file, url;
  };
  const Case cases[] = {
      {"/home/u/Web", "/home/u/Web", "./"},
      {"/home/u/Web", "/home/u/Web/doc/a.gif", "./doc/a.gif"},
      {"/home/u/Web/", "/home/u/Web/doc/a.gif", "./doc/a.gif"},
      {"/home/u/Web/.", "/home/u/Web/doc/a.gif", "./doc/a.gif"},
      {"/home/u/web/doc", "/home/u/Web/doc/a.gif", "../../Web/doc/a.gif"},
      {"/", "/srv/x.gif", "./srv/x.gif"},
      {"/.", "/srv/x.gif", "./srv/x.gif"},
      // Without an absolute base there is nothing in common: the file keeps
      // its absolute path, as a file on another drive would.
      {"", "/home/u/Web/a.gif", "/home/u/Web/a.gif"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base + " / " + c.file);
    EXPECT_EQ(MakeUrlPath(kPosix, c.base, c.file), c.url);
  }
}

}  // namespace
}  // namespace tagsmit
