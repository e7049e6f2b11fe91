// The order in which several files give their lines.
#include "run/name_order.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ascii.h"

namespace tagsmit {
namespace {

using ::testing::ElementsAre;

std::string FoldAscii(const std::string& text) {
  return AsciiLower(text);
}

// Numbers by value however long, fewer leading zeros first at an equal
// value, letter case folded with a fixed order between names equal apart
// from it, a name before its longer forms, UTF-8 after ASCII.
TEST(NameOrderTest, SortsNamesNaturally) {
  const std::string big = "img" + std::string(20, '9') + ".gif";  // beyond 64 bits
  const std::string bigger = "img1" + std::string(20, '0') + ".gif";
  std::vector<std::string> names = {"img10.gif", "img007.gif", "img2.gif",  "Img2.gif",  "img7.gif",
                                    "img.gif",   "画像1.gif",  "img07.gif", "Äpfel.gif", "b.gif",
                                    "img1.png",  bigger,       big};
  SortByName(names, PathStyle::Posix, FoldAscii);
  EXPECT_THAT(names, ElementsAre("b.gif", "img.gif", "img1.png", "Img2.gif", "img2.gif", "img7.gif",
                                 "img07.gif", "img007.gif", "img10.gif", big, bigger, "Äpfel.gif",
                                 "画像1.gif"));
}

// A path compares folder by folder: a separator comes before every other
// character, a backslash only where the platform separates with it.
TEST(NameOrderTest, PathsCompareFolderByFolder) {
  std::vector<std::string> posix = {"photos-old/a.jpg", "photos/z.jpg", "photos/b 2.jpg",
                                    "photos\\a.jpg", "photos/b 10.jpg"};
  SortByName(posix, PathStyle::Posix, FoldAscii);
  EXPECT_THAT(posix, ElementsAre("photos/b 2.jpg", "photos/b 10.jpg", "photos/z.jpg",
                                 "photos-old/a.jpg", "photos\\a.jpg"));
  std::vector<std::string> windows = {"C:\\Web\\photos-old\\a.jpg", "C:\\Web\\photos\\z.jpg",
                                      "C:/Web/photos/y.jpg"};
  SortByName(windows, PathStyle::Windows, FoldAscii);
  EXPECT_THAT(windows, ElementsAre("C:/Web/photos/y.jpg", "C:\\Web\\photos\\z.jpg",
                                   "C:\\Web\\photos-old\\a.jpg"));
  EXPECT_EQ(CompareNatural("a/b", "a\\b", PathStyle::Windows), 0);
  EXPECT_LT(CompareNatural("a/b", "a\\b", PathStyle::Posix), 0);
}

}  // namespace
}  // namespace tagsmit
