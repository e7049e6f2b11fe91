#include "settings/dir_picker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/dir_tree.h"
#include "settings_fixture.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Names(const DirListing& listing) {
  std::vector<std::string> names;
  for (const auto& entry : listing.entries) {
    names.push_back(std::string(static_cast<size_t>(entry.depth), ' ') + entry.name);
  }
  return names;
}

// --- Paths and drives ---------------------------------------------------------

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
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/home/user"), "/");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb"), "/media/usb");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb/pics/"), "/media/usb");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb/inner/x"), "/media/usb/inner");
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "/media/usb2/x"), "/");  // not a prefix by name
  EXPECT_EQ(DriveOf(PathStyle::Posix, mounts, "relative"), "");
}

TEST(DirTreeTest, ListingShowsAncestorsThenTheDirectoryThenItsSubdirectories) {
  FakeFileSystem fs(PathStyle::Windows);
  fs.AddDirectory("C:\\Web\\img\\b");
  fs.AddDirectory("C:\\Web\\img\\A");
  fs.AddDirectory("C:\\Web\\img\\secret", {.hidden = true});
  const DirListing listing = ListDirectory(fs, "C:\\Web\\img");
  EXPECT_THAT(Names(listing), ElementsAre("C:\\", " Web", "  img", "   A", "   b"));
  EXPECT_EQ(listing.current, 2);
  EXPECT_EQ(listing.entries[1].path, "C:\\Web");
  EXPECT_EQ(listing.entries[4].path, "C:\\Web\\img\\b");
}

// --- The picker ------------------------------------------------------------------

class DirPickerTest : public SettingsWindowTest {
 protected:
  using SettingsWindowTest::SettingsWindowTest;
  // Opens the picker from the settings window; `user` acts while it is open.
  void Browse(FakeDirPickerView::Script user) {
    view.picker_script = std::move(user);
    form.btnRef_Click();
  }
};

TEST_F(DirPickerTest, OpensAtTheBasePathOptionNotAtTheTypedText) {
  app.options.BasePath = "/srv/Site";
  Open();
  view.texts[SettingsControl::txtBasePath] = "/home/user/web";
  std::string opened_at;
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    opened_at = picker.Path();
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("/", " srv", "  Site"));
    EXPECT_EQ(picker_view.drives, std::vector<std::string>{"/"});
    EXPECT_EQ(picker_view.selected_drive, 0);
    picker.Command2_Click();
  });
  EXPECT_EQ(opened_at, "/srv/Site");
}

TEST_F(DirPickerTest, MissingBasePathFallsBackToTheCurrentDirectorySilently) {
  app.options.BasePath = "/srv/Deleted";
  Open();
  std::string opened_at;
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    opened_at = picker.Path();
    picker.Command2_Click();
  });
  EXPECT_EQ(opened_at, "/home/user/web");
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(DirPickerTest, OkTakesTheOpenedDirectoryNotTheHighlightedOne) {
  app.options.BasePath = "/home/user";
  Open();
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    EXPECT_THAT(Names(picker_view.listing), ElementsAre("/", " home", "  user", "   web"));
    picker.dirListBox_Open(3);  // opens web
    EXPECT_THAT(Names(picker_view.listing),
                ElementsAre("/", " home", "  user", "   web", "    css", "    img"));
    // Highlighting img without opening it is nothing the logic sees.
    picker.Command1_Click();
    EXPECT_TRUE(picker_view.closed);
  });
  EXPECT_EQ(view.texts[SettingsControl::txtBasePath], "/home/user/web");
  EXPECT_EQ(app.options.BasePath, "/home/user/web");
  EXPECT_EQ(store.saves, 0);
  EXPECT_THAT(view.record.log,
              ElementsAre("settings:not-on-top", "picker:run", "picker:close", "settings:on-top"));
}

TEST_F(DirPickerTest, OpeningAnAncestorMovesUp) {
  app.options.BasePath = "/home/user/web";
  Open();
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    picker.dirListBox_Open(1);
    EXPECT_EQ(picker.Path(), "/home");
    picker.Command1_Click();
  });
  EXPECT_EQ(app.options.BasePath, "/home");
}

TEST_F(DirPickerTest, CancelLeavesBoxAndOptionAndRestoresTheTopmostBand) {
  app.options.BasePath = "/srv/Site";
  Open();
  view.texts[SettingsControl::txtBasePath] = "typed";
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    picker.dirListBox_Open(0);
    picker.Command2_Click();
  });
  EXPECT_EQ(view.texts[SettingsControl::txtBasePath], "typed");
  EXPECT_EQ(app.options.BasePath, "/srv/Site");
  EXPECT_THAT(view.record.log,
              ElementsAre("settings:not-on-top", "picker:run", "picker:close", "settings:on-top"));
}

TEST_F(DirPickerTest, SecondOpeningStartsAtTheDirectoryChosenLast) {
  app.options.BasePath = "/srv/Site";
  Open();
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    picker.dirListBox_Open(0);
    picker.Command1_Click();
  });
  std::string opened_at;
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    opened_at = picker.Path();
    picker.Command2_Click();
  });
  EXPECT_EQ(opened_at, "/");
}

// The Windows picker, with drive letters and a drive without a medium.
class WindowsDirPickerTest : public DirPickerTest {
 protected:
  WindowsDirPickerTest() : DirPickerTest(PathStyle::Windows) {}
  void SetUp() override {
    fs.AddDirectory("C:\\Web\\img");
    fs.AddDirectory("D:\\Photos\\2024");
    fs.AddDrive("A:");
    fs.SetDriveReady("A:", false);
    fs.SetCurrentDirectory("C:\\Web");
    SettingsWindowTest::SetUp();
  }
};

TEST_F(WindowsDirPickerTest, BasePathOnAMissingDriveOpensAtTheCurrentDirectory) {
  app.options.BasePath = "Q:\\Web";
  Open();
  std::string opened_at;
  std::string drive;
  Browse([&](DirPicker& picker, FakeDirPickerView&) {
    opened_at = picker.Path();
    drive = picker.Drive();
    picker.Command2_Click();
  });
  EXPECT_EQ(opened_at, "C:\\Web");
  EXPECT_EQ(drive, "C:\\");
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(WindowsDirPickerTest, DriveChangeMovesToThatDrivesDirectory) {
  app.options.BasePath = "C:\\Web\\img";
  Open();
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    EXPECT_THAT(picker_view.drives, ElementsAre("A:\\", "C:\\", "D:\\"));
    EXPECT_EQ(picker_view.selected_drive, 1);
    picker.drvListBox_Change(2);
    EXPECT_EQ(picker_view.selected_drive, 2);
    picker.Command1_Click();  // without opening anything on D
  });
  EXPECT_EQ(app.options.BasePath, "D:\\");
  EXPECT_EQ(view.texts[SettingsControl::txtBasePath], "D:\\");
}

TEST_F(WindowsDirPickerTest, UnreadableDriveIsReportedAndThePreviousDriveReturns) {
  app.options.BasePath = "C:\\Web\\img";
  Open();
  Browse([&](DirPicker& picker, FakeDirPickerView& picker_view) {
    picker.drvListBox_Change(0);
    EXPECT_EQ(picker.Drive(), "C:\\");
    EXPECT_EQ(picker.Path(), "C:\\Web\\img");
    EXPECT_EQ(picker_view.selected_drive, 1);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].prompt, "ドライブを読み取れません\r\nA:\\");
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(desktop.boxes[0].title, "Tagsmit");
    picker.drvListBox_Change(2);  // still usable
    EXPECT_EQ(picker.Path(), "D:\\");
    picker.Command2_Click();
  });
}

}  // namespace
}  // namespace tagsmit::testing
