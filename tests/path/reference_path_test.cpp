#include "path/reference_path.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_file_system.h"

namespace tagsmit {
namespace {

using tagsmit::testing::FakeFileSystem;
using Pair = std::pair<std::string, std::string>;

constexpr PathStyle kWindows = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

struct UrlCase {
  std::string base, file, url;
};

// The tree behind the worked examples; C:\Web\Doc is the usual base path.
class WindowsReferencePath : public ::testing::Test {
 protected:
  WindowsReferencePath() {
    fs.AddFile("C:\\Web\\Doc\\a.gif");
    fs.AddFile("C:\\Web\\Doc\\Img\\b.jpg");
    fs.AddFile("C:\\Web\\Img\\a.gif");
    fs.AddFile("C:\\Web\\Img\\Photo 1.jpg", "", {.short_alias = "PHOTO~1.JPG"});
    fs.AddFile("C:\\Web\\a.gif");
    fs.AddDirectory("C:\\Web\\Old", {.hidden = true});
    fs.AddFile("C:\\Web\\Old\\a.gif");
    fs.AddDirectory("C:\\Web\\Empty");
    fs.AddFile("C:\\Other\\x\\a.gif");
    fs.AddFile("C:\\a.gif");
    fs.AddFile("D:\\Pic\\a.gif");
  }

  // What the run puts in place of "&f".
  std::string Reference(const std::string& base, const std::string& file) {
    return MakeUrlPath(kWindows, base, GetActualPath(fs, file));
  }

  FakeFileSystem fs{kWindows};
};

TEST_F(WindowsReferencePath, WorkedTableForBaseWebDoc) {
  struct Row {
    std::string file, actual, reference;
  };
  const Row rows[] = {
      {"C:\\WEB\\DOC\\A.GIF", "C:\\Web\\Doc\\a.gif", "./a.gif"},
      {"C:\\Web\\Doc\\Img\\b.jpg", "C:\\Web\\Doc\\Img\\b.jpg", "./Img/b.jpg"},
      {"C:\\Web\\Img\\a.gif", "C:\\Web\\Img\\a.gif", "../Img/a.gif"},
      {"C:\\Other\\x\\a.gif", "C:\\Other\\x\\a.gif", "../../Other/x/a.gif"},
      {"C:\\a.gif", "C:\\a.gif", "../../a.gif"},
      {"c:\\web\\doc\\a.gif", "c:\\Web\\Doc\\a.gif", "./a.gif"},
      {"C:\\Web\\Old\\a.gif", "", ""},  // Old is hidden
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    EXPECT_EQ(GetActualPath(fs, row.file), row.actual);
    EXPECT_EQ(Reference("C:\\Web\\Doc", row.file), row.reference);
  }
}

TEST_F(WindowsReferencePath, WorkedResultsForOtherDrivesAndBases) {
  EXPECT_EQ(Reference("C:\\Web\\Doc", "D:\\Pic\\a.gif"), "/D|/Pic/a.gif");
  EXPECT_EQ(Reference("C:\\Web\\Doc\\Sub", "C:\\Web\\Img\\a.gif"), "../../Img/a.gif");
  EXPECT_EQ(Reference("C:", "C:\\Web\\a.gif"), "./Web/a.gif");
}

TEST_F(WindowsReferencePath, ActualPathOfDirectoriesAndPathsNotWalked) {
  // The file system finds C:\xWeb\a.gif; walked from the fourth character,
  // "C:xWeb\a.gif" would name C:\Web\a.gif.
  fs.AddFile("C:\\xWeb\\a.gif");
  ASSERT_EQ(fs.LookupEntryName("C:xWeb\\a.gif"), "a.gif");
  const Pair rows[] = {
      {"C:\\WEB\\IMG\\PHOTO~1.JPG", "C:\\Web\\Img\\Photo 1.jpg"},  // short alias to stored name
      {"C:\\Web\\", "C:\\Web"},  // a directory loses its trailing backslash
      {"C:\\", "C:"},            // the root is its drive
      {"C:", "C:"},
      {"C:\\Web\\Nope\\a.gif", ""},  // missing
      {"C:\\Web\\Empty\\", ""},      // the first-entry lookup of an empty folder finds nothing
      {"Web\\a.gif", ""},  // only paths that start with a drive and a backslash are walked
      {"C:xWeb\\a.gif", ""},
      // The extended-length form names the same file; the prefix is not its path.
      {"\\\\?\\C:\\WEB\\IMG\\A.GIF", "C:\\Web\\Img\\a.gif"},
      {"\\\\?\\UNC\\server\\share\\a.gif", ""},
  };
  for (const auto& [file, actual] : rows) {
    SCOPED_TRACE(file);
    EXPECT_EQ(GetActualPath(fs, file), actual);
  }
}

// Windows takes a forward slash for a backslash, so a base or file written
// with forward slashes (hand-edited into the settings file, say) names the
// same folders; the extended-length form alone takes its names literally.
TEST_F(WindowsReferencePath, ForwardSlashesSeparateAsBackslashesDo) {
  const Pair actual[] = {
      {"C:/WEB/DOC/A.GIF", "C:\\Web\\Doc\\a.gif"},
      {"C:\\Web/Img\\PHOTO~1.JPG", "C:\\Web\\Img\\Photo 1.jpg"},
      {"C:/", "C:"},
      {"\\\\?\\C:/Web/a.gif", ""},
  };
  for (const auto& [file, path] : actual) {
    SCOPED_TRACE(file);
    EXPECT_EQ(GetActualPath(fs, file), path);
  }
  const UrlCase references[] = {
      {"C:/Web/Doc", "C:\\Web\\Doc\\a.gif", "./a.gif"},
      {"C:/Web/Doc/", "C:/Web/Img/a.gif", "../Img/a.gif"},
      {"C:\\Web/Doc/./.", "c:/web/doc/img/B.JPG", "./Img/b.jpg"},
      {"c:/web/doc/sub", "C:\\Other\\x\\a.gif", "../../../Other/x/a.gif"},
      {"C:/Web/Doc", "D:/Pic/a.gif", "/D|/Pic/a.gif"},
  };
  for (const UrlCase& c : references) {
    SCOPED_TRACE(c.base + " / " + c.file);
    EXPECT_EQ(Reference(c.base, c.file), c.url);
  }
}

TEST(WindowsUrlPath, EdgeCasesOnTexts) {
  const UrlCase cases[] = {
      {"C:\\Web\\Doc", "C:\\Web\\Doc", "./"},
      {"C:\\Web\\Doc\\Sub", "C:\\Web\\Doc", "../"},
      {"", "C:\\Web\\a.gif", "/C|/Web/a.gif"},
      {"C:\\WEB\\DOC", "c:\\Web\\Doc\\a.gif", "./a.gif"},
      {"C:\\Web\\Doc", "C:\\Web\\Doc.gif", "../Doc.gif"},
      // A trailing backslash and "\." pairs mean the same base.
      {"C:\\Web\\Doc\\", "C:\\Web\\Img\\a.gif", "../Img/a.gif"},
      {"C:\\Web\\Doc\\.\\.", "C:\\Web\\Doc\\Img\\b.jpg", "./Img/b.jpg"},
      {"C:\\", "C:\\Web\\a.gif", "./Web/a.gif"},
      {"C:\\.", "C:\\Web\\Img\\a.gif", "./Web/Img/a.gif"},
      {"C:\\Web", "C:\\Web\\画像\\My Pics.jpg", "./画像/My Pics.jpg"},  // no escapes
      // The first two characters are characters, not bytes.
      {"日本\\Web", "C:\\a.gif", "/C|/a.gif"},
      {"C:\\Web", "é:\\x\\a.gif", "/é|/x/a.gif"},
      {"C:\\Web", "x", "/x"},  // no second character to replace
      {"C:\\Web", "", ""},
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(c.base + " / " + c.file);
    EXPECT_EQ(MakeUrlPath(kWindows, c.base, c.file), c.url);
  }
  // Without the URL step the rest keeps its backslashes.
  EXPECT_EQ(MakeRelativePath(kWindows, "C:\\Web\\Doc", "C:\\Other\\a.gif"), "../../Other\\a.gif");
}

// A site under /home/u/Web, worked on from /home/u/Web/doc.
class PosixReferencePath : public ::testing::Test {
 protected:
  PosixReferencePath() {
    fs.AddFile("/home/u/Web/doc/a.gif");
    fs.AddFile("/home/u/Web/img/a.gif");
    fs.AddFile("/home/u/Web/a\\b.gif");
    fs.AddDirectory("/home/u/Web/Empty");
    fs.AddFile("/srv/x.gif");
    fs.ChangeDirectory("/home/u/Web/doc");
  }

  FakeFileSystem fs{kPosix};
};

TEST_F(PosixReferencePath, ActualPathIsAbsoluteAndCaseSensitive) {
  const Pair rows[] = {
      {"/home/u/Web/doc/a.gif", "/home/u/Web/doc/a.gif"},
      {"a.gif", "/home/u/Web/doc/a.gif"},  // from the current directory
      {"..//img/./a.gif", "/home/u/Web/img/a.gif"},
      {"../a\\b.gif", "/home/u/Web/a\\b.gif"},  // a backslash is part of a POSIX name
      {"/home/u/web/doc/a.gif", ""},            // letter case tells names apart
      // A directory loses its trailing slash, also when it is empty.
      {"/home/u/Web/Empty/", "/home/u/Web/Empty"},
      {"/..", "/"},  // the root stays an absolute path
      {"", ""},
  };
  for (const auto& [path, actual] : rows) {
    SCOPED_TRACE(path);
    EXPECT_EQ(GetActualPath(fs, path), actual);
  }
}

TEST(PosixUrlPath, EdgeCasesOnTexts) {
  const UrlCase cases[] = {
      {"/home/u/Web", "/home/u/Web", "./"},
      {"/home/u/Web", "/home/u/Web/doc/a.gif", "./doc/a.gif"},
      {"/home/u/Web/", "/home/u/Web/doc/a.gif", "./doc/a.gif"},
      {"/home/u/Web/.", "/home/u/Web/doc/a.gif", "./doc/a.gif"},
      {"/home/u/web/doc", "/home/u/Web/doc/a.gif", "../../Web/doc/a.gif"},
      {"/home/u/Web/doc", "/home/u/Web/a\\b.gif", "../a\\b.gif"},
      {"/", "/srv/x.gif", "./srv/x.gif"},
      {"/.", "/srv/x.gif", "./srv/x.gif"},
      // Without an absolute base there is nothing in common: the file keeps
      // its absolute path, as a file on another drive would.
      {"", "/home/u/Web/a.gif", "/home/u/Web/a.gif"},
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(c.base + " / " + c.file);
    EXPECT_EQ(MakeUrlPath(kPosix, c.base, c.file), c.url);
  }
}

}  // namespace
}  // namespace tagsmit
