#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "path/density_name.h"
#include "path/density_variants.h"

namespace tagsmit {
namespace {

using tagsmit::testing::FakeFileSystem;
using ::testing::ElementsAreArray;

// What a name reads as: base, descriptor ("" without a density), extension.
struct NameCase {
  std::string name, base, descriptor, extension;
};

TEST(DensityName, TheSuffixBeforeTheExtensionStatesTheDensity) {
  const NameCase cases[] = {
      {"a@2x.png", "a", "2x", ".png"},
      {"a@2X.png", "a", "2x", ".png"},  // either x; the descriptor takes the small one
      {"Logo@3X.JPG", "Logo", "3x", ".JPG"},
      {"a@1.5x.jpg", "a", "1.5x", ".jpg"},
      {"a@0.5x.gif", "a", "0.5x", ".gif"},
      {"a@b@2x.png", "a@b", "2x", ".png"},  // the last "@" starts the suffix
      {"画像@2x.png", "画像", "2x", ".png"},
      // Leading and trailing zeros are the same number, written plainly.
      {"a@02x.png", "a", "2x", ".png"},
      {"a@2.50x.png", "a", "2.5x", ".png"},
      {"a@2.000000000000x.png", "a", "2x", ".png"},
      {"a@00.25x.png", "a", "0.25x", ".png"},
      {"a@99999999999999999999x.png", "a", "99999999999999999999x", ".png"},
      {"a@0.000000001x.png", "a", "0.000000001x", ".png"},
      // No density: the name before the extension is the base.
      {"a@x.png", "a@x", "", ".png"},
      {"a@2xx.png", "a@2xx", "", ".png"},
      {"a@2x.backup.png", "a@2x.backup", "", ".png"},
      {"@2x.png", "@2x", "", ".png"},  // nothing before the "@"
      {"a@0x.png", "a@0x", "", ".png"},
      {"a@0.0x.png", "a@0.0x", "", ".png"},
      {"a@1.x.png", "a@1.x", "", ".png"},  // digits on both sides of the point
      {"a@.5x.png", "a@.5x", "", ".png"},
      {"a@1.2.3x.png", "a@1.2.3x", "", ".png"},
      {"a@-2x.png", "a@-2x", "", ".png"},
      {"a@2e1x.png", "a@2e1x", "", ".png"},
      {"a@1,5x.png", "a@1,5x", "", ".png"},
      {"a@２x.png", "a@２x", "", ".png"},                      // a full-width digit
      {"a@1.0000000001x.png", "a@1.0000000001x", "", ".png"},  // finer than any screen
      {"a@2 x.png", "a@2 x", "", ".png"},
      // Without an extension there is no place for a suffix.
      {"a@2x", "a@2x", "", ""},
      {"a@1.5x", "a@1", "", ".5x"},
      {".png", "", "", ".png"},
  };
  for (const NameCase& c : cases) {
    const DensityName read = ReadDensityName(c.name);
    EXPECT_EQ(read.base, c.base) << c.name;
    EXPECT_EQ(read.density ? read.density->Descriptor() : "", c.descriptor) << c.name;
    EXPECT_EQ(read.extension, c.extension) << c.name;
  }
}

// Exact decimal arithmetic: halves round up where a binary fraction would
// land just below them.
TEST(DensityName, PageSideRoundsHalvesUpAndNeverBelowOne) {
  struct Case {
    std::uint64_t side;
    std::string number;
    std::uint64_t page_side;
  };
  const Case cases[] = {
      {240, "2", 120},
      {5, "2", 3},       // 2.5
      {3, "1.5", 2},     // 2
      {100, "1.5", 67},  // 66.67 up
      {101, "1.5", 67},  // 67.33 down
      {7, "3", 2},       // 2.33
      {8, "3", 3},       // 2.67
      {7, "2.8", 3},     // 2.5
      {33, "4.4", 8},    // 7.5, which 33 / 4.4 in binary misses
      {1, "3", 1},       // 0.33, never below 1
      {1, "2", 1},
      {0, "2", 0},  // nothing to show at any density
      {3, "0.5", 6},
      {2147483647, "0.000000001", 2147483647000000000},
      {4294967295, "9999999999.999999999", 1},
      {2147483647, "1000000000", 2},
      {2147483645, "858993458", 3},  // 2.5
      {4294967295, "99999999999999999999", 1},
  };
  for (const Case& c : cases) {
    const auto density = Density::Parse(c.number);
    ASSERT_TRUE(density) << c.number;
    EXPECT_EQ(density->PageSide(c.side), c.page_side) << c.side << " at " << c.number;
  }
}

TEST(DensityName, DensitiesCompareByValue) {
  std::vector<Density> densities;
  for (const char* number : {"10", "2.5", "02", "0.5", "2.05", "1", "9.99", "2.0", "100"}) {
    densities.push_back(*Density::Parse(number));
  }
  std::stable_sort(densities.begin(), densities.end());
  std::vector<std::string> descriptors;
  for (const Density& density : densities) descriptors.push_back(density.Descriptor());
  EXPECT_THAT(descriptors, ElementsAreArray({"0.5x", "1x", "2x", "2x", "2.05x", "2.5x", "9.99x",
                                             "10x", "100x"}));
  EXPECT_EQ(*Density::Parse("1.0"), Density::One());
}

// A folder of variants and near misses, and what each dropped file lists:
// path and descriptor of each variant.
struct VariantCase {
  std::string dropped;
  std::vector<std::string> listed;  // "path descriptor"
};

std::vector<std::string> Listed(FakeFileSystem& fs, const std::string& dropped) {
  std::vector<std::string> listed;
  for (const DensityVariant& v : DensityVariants(fs, dropped)) {
    listed.push_back(v.path + " " + v.density.Descriptor());
  }
  return listed;
}

void AddFiles(FakeFileSystem& fs, const std::string& folder,
              const std::vector<std::string>& names) {
  for (const std::string& name : names) fs.AddFile(folder + name);
}

// Near misses beside the variants: other bases that begin alike, another
// extension, a longer extension, a folder, a name without a base.
const std::vector<std::string> kFolder = {
    "logo.png",      "logo@2x.png",  "logo@3x.webp",  "logo2.png",    "logo@2x.backup.png",
    "logo.old.png",  "logo@2xx.png", "logo@1.5x.png", "logo@02x.png", "logo@1x.png",
    "icon@2x.png",   "icon@3x.png",  "photo.jpg",     "@2x.png",      "@3x.png",
    "a b,c.png",     "a b,c@2x.png", "画像.png",      "画像@2x.png",  "Logo@4x.png",
    "LOGO@0.5X.PNG",
};

TEST(DensityVariants, BesideTheFileSameBaseAndExtensionAscending) {
  FakeFileSystem fs(PathStyle::Posix);
  AddFiles(fs, "/site/img/", kFolder);
  fs.AddDirectory("/site/img/logo@5x.png");
  fs.ChangeDirectory("/site");
  const VariantCase cases[] = {
      // logo.png before logo@1x.png, logo@02x.png before logo@2x.png: name order.
      {"/site/img/logo.png",
       {"/site/img/logo.png 1x", "/site/img/logo@1.5x.png 1.5x", "/site/img/logo@02x.png 2x"}},
      // The file dropped stands for its density, as it was named.
      {"img/logo@2x.png", {"img/logo.png 1x", "img/logo@1.5x.png 1.5x", "img/logo@2x.png 2x"}},
      {"/site/img/logo@1x.png",
       {"/site/img/logo@1x.png 1x", "/site/img/logo@1.5x.png 1.5x", "/site/img/logo@02x.png 2x"}},
      // 2x and 3x without a 1x; another extension lists only its own.
      {"/site/img/icon@3x.png", {"/site/img/icon@2x.png 2x", "/site/img/icon@3x.png 3x"}},
      {"/site/img/logo@3x.webp", {"/site/img/logo@3x.webp 3x"}},
      {"/site/img/photo.jpg", {"/site/img/photo.jpg 1x"}},
      {"/site/img/a b,c.png", {"/site/img/a b,c.png 1x", "/site/img/a b,c@2x.png 2x"}},
      {"/site/img/画像@2x.png", {"/site/img/画像.png 1x", "/site/img/画像@2x.png 2x"}},
      // Case matters here: Logo@4x.png and LOGO@0.5X.PNG belong to other names.
      {"/site/img/Logo@4x.png", {"/site/img/Logo@4x.png 4x"}},
      // "@2x.png" is no density name: its base is "@2x". A folder that is gone
      // lists nothing more.
      {"/site/img/@2x.png", {"/site/img/@2x.png 1x"}},
      {"/gone/logo.png", {"/gone/logo.png 1x"}},
  };
  for (const VariantCase& c : cases) EXPECT_EQ(Listed(fs, c.dropped), c.listed) << c.dropped;

  // Many spellings of one density: the file given stands for them all.
  for (int zeros = 1; zeros <= 40; ++zeros)
    fs.AddFile("/many/p@" + std::string(zeros, '0') + "3x.png");
  fs.AddFile("/many/p@3x.png");
  EXPECT_EQ(Listed(fs, "/many/p@03x.png"), std::vector<std::string>{"/many/p@03x.png 3x"});
}

// Windows compares names without regard to letter case: bases and
// extensions alike.
TEST(DensityVariants, WindowsNamesMatchWhateverTheirCase) {
  FakeFileSystem fs(PathStyle::Windows);
  AddFiles(fs, "C:\\Web\\Img\\", kFolder);
  fs.ChangeDirectory("C:\\Web");
  const VariantCase cases[] = {
      {"C:\\Web\\Img\\Logo@4x.png",
       {"C:\\Web\\Img\\LOGO@0.5X.PNG 0.5x", "C:\\Web\\Img\\logo.png 1x",
        "C:\\Web\\Img\\logo@1.5x.png 1.5x", "C:\\Web\\Img\\logo@02x.png 2x",
        "C:\\Web\\Img\\Logo@4x.png 4x"}},
      // Separators of either kind and a drive-relative name keep their folder part.
      {"c:/web/img/ICON@2X.PNG", {"c:/web/img/ICON@2X.PNG 2x", "c:/web/img/icon@3x.png 3x"}},
      {"Img\\icon@3x.png", {"Img\\icon@2x.png 2x", "Img\\icon@3x.png 3x"}},
  };
  for (const VariantCase& c : cases) EXPECT_EQ(Listed(fs, c.dropped), c.listed) << c.dropped;
}

}  // namespace
}  // namespace tagsmit
