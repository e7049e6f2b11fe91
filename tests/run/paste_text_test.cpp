#include "run/paste_text.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using testing::FakeFileSystem;

std::string Le16(unsigned value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}
std::string Be16(unsigned value) {
  return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
}
std::string GifSized(unsigned width, unsigned height) {
  return "GIF89a" + Le16(width) + Le16(height) + std::string(16, '\0');
}
std::string PngSized(unsigned width, unsigned height) {
  using namespace std::literals;
  return "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0"s + Be16(width) + "\0\0"s + Be16(height) + "\x08"s;
}
// A JPEG whose Exif orientation 6 turns it a quarter when displayed.
std::string TurnedJpeg(unsigned width, unsigned height) {
  using namespace std::literals;
  return "\xFF\xD8\xFF\xE1\0\x22"
         "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0"
         "\xFF\xC0\0\x11\x08"s +
         Be16(height) + Be16(width);
}

// The images live in C:\Site\img; the base folder of relative mode is
// C:\Site\doc, or the root of another drive.
class PasteTextTest : public ::testing::Test {
 protected:
  PasteTextTest() {
    fs.AddDirectory("C:\\Site\\doc");
    fs.SetDriveReady("D:", true);
  }

  // The paste string filled for the file in C:\Site\img.
  std::string Paste(const std::string& name) {
    const Result<std::string> text = MakePasteText(options, services, "C:\\Site\\img\\" + name);
    return text.ok() ? text.value() : "failed: " + text.error();
  }

  // Each path mode: fixed, fixed in lower case, relative, relative from
  // another drive.
  static void SetPathMode(Options& options, int mode) {
    options.RelativePath = mode >= 2 ? 255 : 0;
    options.LowerCase = mode == 1 ? 1 : 0;
    options.FixedPath = mode == 1 ? "IMG/" : "./";
    options.BasePath = mode == 3 ? "D:\\" : "C:\\Site\\doc";
  }

  FakeFileSystem fs{PathStyle::Windows};
  testing::ScriptedDesktop desktop;
  testing::MemorySettingsStore store;
  Services services{fs, desktop, store};
  Options options;
};

TEST_F(PasteTextTest, DensitySizeDividesByTheDensityInTheNameInEveryPathMode) {
  struct Row {
    std::string name, image;
    bool more_formats = false, display_size = false;
    std::string size, page_size;  // "&w &h" with DensitySize off and on
  };
  const Row rows[] = {
      {"a@2x.png", PngSized(121, 60), true, false, "121 60", "61 30"},
      {"a@2X.gif", GifSized(121, 59), false, false, "121 59", "61 30"},
      // Turned first, then divided: 8 x 7 shown as 7 x 8.
      {"Logo@3X.JPG", TurnedJpeg(8, 7), false, true, "7 8", "2 3"},
      {"a@1.5x.jpg", TurnedJpeg(101, 100), true, true, "100 101", "67 67"},
      {"a@0.5x.gif", GifSized(3, 1), false, false, "3 1", "6 2"},
      {"a@3x.gif", GifSized(1, 2), false, false, "1 2", "1 1"},
      {"a@99999999999x.gif", GifSized(30000, 0), false, false, "30000 0", "1 0"},
      {"画像@2x.png", PngSized(10, 4), true, false, "10 4", "5 2"},
      // Names that state no density keep their size.
      {"a@x.png", PngSized(5, 3), true, false, "5 3", "5 3"},
      {"a@2xx.png", PngSized(5, 3), true, false, "5 3", "5 3"},
      {"a@2x.backup.png", PngSized(5, 3), true, false, "5 3", "5 3"},
      {"@2x.png", PngSized(5, 3), true, false, "5 3", "5 3"},
      {"a@2x", PngSized(5, 3), true, false, "5 3", "5 3"},
      {"a@0x.png", PngSized(5, 3), true, false, "5 3", "5 3"},
      {"a@1.x.png", PngSized(5, 3), true, false, "5 3", "5 3"},
      // Only the file's own name counts, not its folder's.
      {"v@3x.d\\plain", PngSized(6, 6), true, false, "6 6", "6 6"},
  };
  options.CurClipStr = "&w &h";
  for (const Row& row : rows) {
    fs.AddFile("C:\\Site\\img\\" + row.name, row.image);
    options.MoreFormats = row.more_formats;
    options.DisplaySize = row.display_size;
    for (int mode = 0; mode < 4; ++mode) {
      SetPathMode(options, mode);
      options.DensitySize = 0;
      EXPECT_EQ(Paste(row.name), row.size) << row.name << " in mode " << mode;
      options.DensitySize = 1;
      EXPECT_EQ(Paste(row.name), row.page_size) << row.name << " in mode " << mode;
    }
  }
}

TEST_F(PasteTextTest, SrcSetNamesEachVariantAsTheFileIsNamed) {
  for (const char* name : {"Logo.png", "Logo@2x.png", "Logo@3x.webp", "a b,c.png", "a b,c@2x.png",
                           "画像.png", "画像@2x.png", "icon@2x.png", "icon@3x.png"}) {
    fs.AddFile("C:\\Site\\img\\" + std::string(name), PngSized(4, 2));
  }
  fs.AddFile("C:\\Site\\img\\photo.gif", GifSized(4, 2));
  options.CurClipStr = "&f|&s";
  options.SrcSet = 1;
  options.MoreFormats = 1;
  struct Case {
    int mode;
    std::string name, expected;
  };
  const Case cases[] = {
      {0, "Logo@2x.png", "./Logo@2x.png|./Logo.png 1x, ./Logo@2x.png 2x"},
      {1, "Logo@2x.png", "img/logo@2x.png|img/logo.png 1x, img/logo@2x.png 2x"},
      {2, "Logo@2x.png", "../img/Logo@2x.png|../img/Logo.png 1x, ../img/Logo@2x.png 2x"},
      {3, "Logo.png",
       "/C|/Site/img/Logo.png|/C|/Site/img/Logo.png 1x, /C|/Site/img/Logo@2x.png 2x"},
      // Named as stored, whatever case is typed.
      {0, "LOGO.PNG", "./Logo.png|./Logo.png 1x, ./Logo@2x.png 2x"},
      // Blanks and commas would split the list: encoded there, and only there.
      {0, "a b,c.png", "./a b,c.png|./a%20b%2Cc.png 1x, ./a%20b%2Cc@2x.png 2x"},
      {2, "a b,c@2x.png",
       "../img/a b,c@2x.png|../img/a%20b%2Cc.png 1x, ../img/a%20b%2Cc@2x.png 2x"},
      {0, "画像@2x.png", "./画像@2x.png|./画像.png 1x, ./画像@2x.png 2x"},
      {0, "icon@3x.png", "./icon@3x.png|./icon@2x.png 2x, ./icon@3x.png 3x"},
      {0, "photo.gif", "./photo.gif|./photo.gif 1x"},
  };
  for (const Case& c : cases) {
    SetPathMode(options, c.mode);
    EXPECT_EQ(Paste(c.name), c.expected) << c.name << " in mode " << c.mode;
  }

  // The tag the user guide offers, with both switches; without SrcSet, "&s"
  // is ordinary text.
  options.CurClipStr = "<img src=\"&f\" srcset=\"&s\" width=\"&w\" height=\"&h\" alt=\"\">";
  options.DensitySize = 1;
  SetPathMode(options, 0);
  EXPECT_EQ(Paste("Logo@2x.png"),
            "<img src=\"./Logo@2x.png\" srcset=\"./Logo.png 1x, ./Logo@2x.png 2x\" width=\"2\" "
            "height=\"1\" alt=\"\">");
  options.SrcSet = 0;
  options.DensitySize = 0;
  EXPECT_EQ(Paste("Logo@2x.png"),
            "<img src=\"./Logo@2x.png\" srcset=\"&s\" width=\"4\" height=\"2\" alt=\"\">");
}

}  // namespace
}  // namespace tagsmit
