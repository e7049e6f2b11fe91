#include "settings/dir_picker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/dir_tree.h"
#include "settings_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;

// The listing's names, each indented by its depth.
std::vector<std::string> Names(const DirListing& listing) {
  std::vector<std::string> names;
  for (const auto& entry : listing.entries) {
    names.push_back(std::string(static_cast<size_t>(entry.depth), ' ') + entry.name);
  }
  return names;
}

TEST(DirTreeTest, NormalizeGivesThePlainAbsoluteForm) {
  EXPECT_EQ(NormalizeDirectory(PathStyle::Posix, "/home//user/./web/"), "/home/user/web");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Posix, "/home/user/../srv"), "/home/srv");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Posix, "/"), "/");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Posix, "home/user"), "");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Windows, "c:\\Web\\"), "c:\\Web");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Windows, "D:"), "D:\\");
  EXPECT_EQ(NormalizeDirectory(PathStyle::Windows, "\\Web"), "");
}

TEST(DirTreeTest, DriveOfAPathIsItsLetterOrItsLongestMountPoint) {
  const std::vector<std::string> windows{"A:\\", "C:\\", "D:\\"};
  EXPECT_EQ(DriveOf(PathStyle::Windows, windows, "c:\\Web"), "C:\\");
  EXPECT_EQ(DriveOf(PathStyle::Windows, windows, "E:\\"), "");
  EXPECT_EQ(DriveOf(PathStyle::Windows, windows, ""), "");

  const std::vector<std::string> mounts{"/", "/media/usb", "/media/usb/inner"};
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb"), "/media/usb");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb/inner/x"), "/media/usb/inner");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb2/x"), "/");  // not a prefix by name
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "relative"), "");
}

// The picker opens at the BasePath option, not at the typed text; when that
// directory is missing, at the current directory without a word.
TEST_F(SettingsWindowTest, PickerOpensAtTheBasePathOptionOrTheCurrentDirectory) {
  app.options.BasePath = "/srv/Site";
  Open();
  view.texts[SettingsControl::txtBasePath] = "/home/user/web";
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    EXPECT_EQ(picker.Path(), "/srv/Site");
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("/", " srv", "  Site"));
    EXPECT_THAT(picker_view.drives, ElementsAre("/"));
    EXPECT_EQ(picker_view.selected_drive, 0);
    picker.Command2_Click();
  });
  app.options.BasePath = "/srv/Deleted";
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    EXPECT_EQ(picker.Path(), "/home/user/web");
    picker.Command2_Click();
  });
  EXPECT_TRUE(desktop.boxes.empty());
}

// OK takes the opened directory into box and option; Cancel leaves both.
// Either way the settings window returns to the topmost band.
TEST_F(SettingsWindowTest, PickerOkTakesTheOpenedDirectoryAndCancelNothing) {
  app.options.BasePath = "/home/user";
  Open();
  view.texts[SettingsControl::txtBasePath] = "typed";
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    picker.dirListBox_Open(0);
    EXPECT_EQ(picker.Path(), "/");
    picker.Command2_Click();
  });
  EXPECT_EQ(view.texts[SettingsControl::txtBasePath], "typed");
  EXPECT_EQ(app.options.BasePath, "/home/user");

  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    picker.dirListBox_Open(3);  // web, below the current directory
    EXPECT_THAT(Names(picker_view.listing),
                ElementsAre("/", " home", "  user", "   web", "    css", "    img"));
    picker.Command1_Click();
  });
  EXPECT_EQ(view.texts[SettingsControl::txtBasePath], "/home/user/web");
  EXPECT_EQ(app.options.BasePath, "/home/user/web");
  EXPECT_EQ(store.saves, 0);
  EXPECT_THAT(view.log,
              ElementsAre("settings:not-on-top", "picker:run", "picker:close", "settings:on-top",
                          "settings:not-on-top", "picker:run", "picker:close", "settings:on-top"));
}

// A base on a drive that does not exist opens at the current directory; a
// drive that cannot be read is reported and the previous one returns.
TEST_F(WindowsSettingsWindowTest, PickerChangesToReadableDrivesOnly) {
  app.options.BasePath = "Q:\\Web";
  Open();
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    EXPECT_EQ(picker.Path(), "C:\\Web");
    EXPECT_THAT(picker_view.drives, ElementsAre("A:\\", "C:\\", "D:\\"));
    EXPECT_EQ(picker_view.selected_drive, 1);
    picker.dirListBox_Open(2);
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("C:\\", " Web", "  Img"));

    picker_view.selected_drive = 0;  // the user picks A: in the list
    picker.drvListBox_Change(0);
    EXPECT_EQ(picker.Path(), "C:\\Web\\Img");
    EXPECT_EQ(picker_view.selected_drive, 1);
    EXPECT_THAT(Boxes(desktop),
                ElementsAre(Told("ドライブを読み取れません\r\nA:\\", BoxIcon::Exclamation)));

    picker.drvListBox_Change(2);
    EXPECT_EQ(picker_view.selected_drive, 2);
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("D:\\", " Photos"));
    EXPECT_EQ(picker_view.listing.entries[1].path, "D:\\Photos");
    picker.Command1_Click();  // without opening anything on D
  });
  EXPECT_EQ(app.options.BasePath, "D:\\");
  EXPECT_EQ(view.texts[SettingsControl::txtBasePath], "D:\\");
}

}  // namespace
}  // namespace tagsmit::testing
