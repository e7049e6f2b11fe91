#include <gtest/gtest.h>

#include <string>

#include "fake_file_system.h"
#include "path/reference_path.h"

namespace tagsmit {
namespace {

using tagsmit::testing::FakeFileSystem;
using Pair = std::pair<std::string, std::string>;

constexpr PathStyle kWindows = PathStyle::Windows;

// The tree behind the worked examples; C:\Web\Doc is the usual base path.
class WindowsReferencePath : public ::testing::Test {
 protected:
  WindowsReferencePath() {
    fs.AddFile("C:\\Web\\Doc\\a.gif");
    fs.AddFile("C:\\Web\\Doc\\Img\\b.jpg");
    fs.AddFile("C:\\Web\\Img\\a.gif");
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

TEST(WindowsShortAlias, ResolvesToTheStoredLongNames) {
  FakeFileSystem fs(kWindows);
  fs.AddFile("C:\\Web\\img\\Photo 1.jpg", "", {.short_alias = "PHOTO~1.JPG"});
  EXPECT_EQ(GetActualPath(fs, "C:\\WEB\\IMG\\PHOTO~1.JPG"), "C:\\Web\\img\\Photo 1.jpg");
}

TEST_F(WindowsReferencePath, TrailingBackslashAndDotPairsMeanTheSameBase) {
  const std::string files[] = {"C:\\Web\\Doc\\Img\\b.jpg", "C:\\Web\\Img\\a.gif", "D:\\Pic\\a.gif"};
  const Pair bases[] = {
      {"C:\\Web\\Doc", "C:\\Web\\Doc\\"},
      {"C:\\Web\\Doc", "C:\\Web\\Doc\\.\\."},
      {"C:", "C:\\"},
      {"C:", "C:\\."},
  };
  for (const auto& [plain, spelled] : bases) {
    for (const std::string& file : files) {
      SCOPED_TRACE(spelled + " / " + file);
      EXPECT_EQ(Reference(spelled, file), Reference(plain, file));
    }
  }
}

TEST_F(WindowsReferencePath, ActualPathOfDirectoriesAndPathsNotWalked) {
  const Pair rows[] = {
      // A directory loses its trailing backslash; the root becomes "C:".
      {"C:\\Web\\", "C:\\Web"},
      {"C:\\", "C:"},
      {"C:", "C:"},
      {"C:\\Web\\Nope\\a.gif", ""},
      // The first-entry lookup of an empty folder finds nothing.
      {"C:\\Web\\Empty\\", ""},
      {"C:\\Web\\Empty", "C:\\Web\\Empty"},
      // Only paths that start with a drive and a backslash are walked.
      {"Web\\a.gif", ""},
      // The file system finds C:\xWeb\a.gif; walked from the fourth
      // character it would name C:\Web\a.gif.
      {"C:xWeb\\a.gif", ""},
  };
  fs.AddFile("C:\\xWeb\\a.gif");
  ASSERT_EQ(fs.LookupEntryName("C:xWeb\\a.gif"), "a.gif");
  for (const auto& [file, actual] : rows) {
    SCOPED_TRACE(file);
    EXPECT_EQ(GetActualPath(fs, file), actual);
  }
}

TEST(WindowsUrlPath, EdgeCasesOnTexts) {
  struct Case {
    std::string base, file, url;
  };
  const Case cases[] = {
      {"C:\\Web\\Doc", "C:\\Web\\Doc", "./"},
      {"C:\\Web\\Doc\\Sub", "C:\\Web\\Doc", "../"},
      {"", "C:\\Web\\a.gif", "/C|/Web/a.gif"},
      {"C:\\WEB\\DOC", "c:\\Web\\Doc\\a.gif", "./a.gif"},
      {"C:\\Web\\Doc", "C:\\Web\\Doc.gif", "../Doc.gif"},
      {"C:\\Web\\Doc", "C:\\Web\\Doc\\My Pics\\a b.gif", "./My Pics/a b.gif"},
      {"C:\\Web", "C:\\Web\\画像\\写真.jpg", "./画像/写真.jpg"},
      // The first two characters are characters, not bytes.
      {"日本\\Web", "C:\\a.gif", "/C|/a.gif"},
      {"C:\\Web", "é:\\x\\a.gif", "/é|/x/a.gif"},
      {"C:\\Web", "x", "/x"},  // no second character to replace
      {"C:\\Web", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base + " / " + c.file);
    EXPECT_EQ(MakeUrlPath(kWindows, c.base, c.file), c.url);
  }
  // Without the URL step the rest keeps its backslashes.
  EXPECT_EQ(MakeRelativePath(kWindows, "C:\\Web\\Doc", "C:\\Other\\a.gif"), "../../Other\\a.gif");
}

}  // namespace
}  // namespace tagsmit
