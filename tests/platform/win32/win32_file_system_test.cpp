// The Win32 file system on real folders (under Wine: Z:\ and C:\ are real
// folders of the host).
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "memory_settings_store.h"
#include "platform/win32_api/utf16.h"
#include "run/paste_text.h"
#include "scripted_desktop.h"
#include "temp_dir.h"

namespace tagsmit::testing {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  // `name` marked with `attributes` (FILE_ATTRIBUTE_HIDDEN, _SYSTEM).
  void Mark(const std::string& name, DWORD attributes) {
    const std::wstring path = Utf16FromUtf8(dir_.PathOf(name));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
    ASSERT_EQ(GetFileAttributesW(path.c_str()) & attributes, attributes) << name;
  }
  // `name` in the temporary folder, with backslashes.
  std::string In(const std::string& name) const { return Folder() + "\\" + name; }
  std::string Folder() const { return Utf8FromPath(dir_.path()); }

  TempDir dir_;
  Win32FileSystem fs_;
};

TEST_F(Win32FileSystemTest, LookupsGiveTheNameAsStoredWhateverCaseIsTyped) {
  dir_.WriteFile("Web/Photo.JPG", Bytes{1});
  dir_.WriteFile("画像/ロゴ.GIF", Bytes{1});
  dir_.MakeFolder("Web/img");
  EXPECT_EQ(fs_.LookupFileName(In("WEB\\photo.jpg")), "Photo.JPG");
  EXPECT_EQ(fs_.LookupFileName(In("画像\\ロゴ.gif")), "ロゴ.GIF");
  EXPECT_EQ(fs_.LookupEntryName(In("web\\IMG")), "img");
  EXPECT_EQ(fs_.LookupEntryName(In("web/IMG")), "img") << "'/' separates as well";
  EXPECT_EQ(fs_.LookupFileName(In("Web\\img")), "") << "a folder is no file";
  EXPECT_EQ(fs_.LookupFileName(In("Web\\absent.jpg")), "");
  EXPECT_EQ(fs_.LookupEntryName(In("Absent\\img")), "");
  // A path ending in a separator names the folder: it answers with an entry.
  EXPECT_NE(fs_.LookupEntryName(In("Web\\")), "");
  EXPECT_EQ(fs_.LookupEntryName(In("Absent\\")), "");
  EXPECT_EQ(fs_.LookupFileName(In("Web\\")), "");
  // Dots name the folder itself or its parent, not an entry called "Web".
  for (const char* dots : {"Web\\img\\.", "Web\\img\\..", "Web\\img\\..."}) {
    EXPECT_EQ(fs_.LookupEntryName(In(dots)), "") << dots;
  }

  // Relative names are taken from the current directory.
  ASSERT_TRUE(SetCurrentDirectoryW(Utf16FromUtf8(In("画像")).c_str()));
  EXPECT_EQ(fs_.CurrentDirectory(), In("画像"));
  EXPECT_EQ(fs_.LookupFileName("ロゴ.gif"), "ロゴ.GIF");
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
}

TEST_F(Win32FileSystemTest, HiddenAndSystemEntriesAreLeftOnlyOutOfTheWalk) {
  dir_.WriteFile("Old/a.gif", Bytes{1});
  dir_.WriteFile("hidden.gif", Bytes{1});
  dir_.WriteFile("system.gif", Bytes{1});
  Mark("Old", FILE_ATTRIBUTE_HIDDEN);
  Mark("hidden.gif", FILE_ATTRIBUTE_HIDDEN);
  Mark("system.gif", FILE_ATTRIBUTE_SYSTEM);
  for (const char* name : {"Old", "hidden.gif", "system.gif"}) {
    EXPECT_EQ(fs_.LookupEntryName(In(name)), "") << name;
  }
  EXPECT_EQ(fs_.LookupFileName(In("HIDDEN.GIF")), "hidden.gif");
  EXPECT_EQ(fs_.LookupFileName(In("system.gif")), "system.gif");
  // Only the entry named is refused: a path may pass through a hidden folder.
  EXPECT_EQ(fs_.LookupFileName(In("old\\A.GIF")), "a.gif");
  EXPECT_TRUE(fs_.OpenForReading(In("hidden.gif")).ok());
  EXPECT_TRUE(fs_.Subdirectories(Folder()).empty());
}

// Files, hidden ones too, whose long names begin with the last component
// whatever its case; folders are no files, and wildcards match nothing.
TEST_F(Win32FileSystemTest, FileNamesStartingWithTheLastComponent) {
  for (const char* name :
       {"logo.png", "LOGO@2X.PNG", "ロゴ@2x.png", "blogo.png", "hidden@3x.png"}) {
    dir_.WriteFile(name, Bytes{1});
  }
  dir_.MakeFolder("logo@4x.png");
  Mark("hidden@3x.png", FILE_ATTRIBUTE_HIDDEN);
  const auto sorted = [this](const std::string& path) {
    std::vector<std::string> names = fs_.FileNamesStartingWith(path);
    std::sort(names.begin(), names.end());
    return names;
  };
  EXPECT_EQ(sorted(In("Logo")), (std::vector<std::string>{"LOGO@2X.PNG", "logo.png"}));
  EXPECT_EQ(sorted(Folder() + "/logo@2"), std::vector<std::string>{"LOGO@2X.PNG"});
  EXPECT_EQ(sorted(In("ロゴ")), std::vector<std::string>{"ロゴ@2x.png"});
  EXPECT_EQ(sorted(In("hidden")), std::vector<std::string>{"hidden@3x.png"});
  for (const char* path : {"", "*", "l?go", "Absent\\logo"}) {
    EXPECT_TRUE(fs_.FileNamesStartingWith(In(path)).empty()) << path;
  }
}

TEST_F(Win32FileSystemTest, WildcardsArePatternsNotNames) {
  dir_.WriteFile("Photo.JPG", Bytes{1});
  for (const char* pattern :
       {"Phot*.JPG", "Photo.JP?", "*", "Photo<JPG", "Photo.JP>", "Photo\"JPG"}) {
    EXPECT_EQ(fs_.LookupFileName(In(pattern)), "") << pattern;
    EXPECT_EQ(fs_.LookupEntryName(In(pattern)), "") << pattern;
    const OpenedFile opened = fs_.OpenForReading(In(pattern));
    EXPECT_TRUE(!opened.ok() && opened.kind() == ErrorKind::kOther) << pattern;
  }
  EXPECT_EQ(fs_.LookupEntryName(In("*\\")), "");
}

TEST_F(Win32FileSystemTest, AShortAliasGivesTheLongName) {
  dir_.WriteFile("Photo Album 2024.jpeg", Bytes{1});
  wchar_t alias[MAX_PATH] = {};
  const std::wstring long_path = Utf16FromUtf8(In("Photo Album 2024.jpeg"));
  if (GetShortPathNameW(long_path.c_str(), alias, MAX_PATH) == 0 || long_path == alias) {
    GTEST_SKIP() << "this file system keeps no short aliases";
  }
  const std::string short_path = Utf8FromUtf16(alias);
  EXPECT_EQ(fs_.LookupFileName(short_path), "Photo Album 2024.jpeg") << short_path;
  EXPECT_EQ(fs_.LookupEntryName(short_path), "Photo Album 2024.jpeg") << short_path;
  EXPECT_TRUE(fs_.OpenForReading(short_path).ok()) << short_path;
}

TEST_F(Win32FileSystemTest, OpenTellsAMissingFileFromEveryOtherFailure) {
  dir_.WriteFile("file.gif", Bytes{1});
  dir_.MakeFolder("folder.gif");
  const std::pair<std::string, ErrorKind> cases[] = {
      {In("absent.gif"), ErrorKind::kNotFound},
      {In("画像なし.gif"), ErrorKind::kNotFound},
      {In("no-folder\\absent.gif"), ErrorKind::kOther},
      {In("file.gif\\absent.gif"), ErrorKind::kOther},
      {In("absent.gif\\"), ErrorKind::kOther},
      {In("folder.gif"), ErrorKind::kOther},
      {"NUL", ErrorKind::kOther},  // a device, not a file: never read
      {"", ErrorKind::kOther},
  };
  for (const auto& [path, failure] : cases) {
    const OpenedFile opened = fs_.OpenForReading(path);
    EXPECT_TRUE(!opened.ok() && opened.kind() == failure) << path;
  }
}

TEST_F(Win32FileSystemTest, ReaderReadsTheRawBytesAtEveryOffset) {
  Bytes content(300000);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i % 251);
  content.back() = 0xFF;
  OpenedFile opened = fs_.OpenForReading(dir_.WriteFile("data.jpg", content));
  ASSERT_TRUE(opened.ok());
  ByteReader* in = opened.value().get();
  Bytes head(5000);
  ASSERT_TRUE(in->Read(head));
  EXPECT_EQ(head, Bytes(content.begin(), content.begin() + 5000));
  ASSERT_TRUE(in->Skip(100000));
  std::uint8_t byte = 0;
  ASSERT_TRUE(in->Read(std::span(&byte, 1)));
  EXPECT_EQ(byte, content[105000]);
  // The pattern never holds 0xFF: the scan to the last byte crosses reads.
  ASSERT_TRUE(in->SkipPast(0xFF));
  EXPECT_TRUE(in->AtEnd());
  EXPECT_FALSE(in->Read(std::span(&byte, 1)));
}

// A path of more than 300 characters and a path in the extended-length form
// (\\?\), as Explorer hands them over, are measured and named like any
// other; the tag never shows the prefix.
TEST_F(Win32FileSystemTest, LongAndExtendedLengthPathsAreMeasuredAndNamed) {
  const Bytes gif{'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0};
  std::string below;  // the folders below the temporary one, each ending in "\\"
  for (const char letter : {'a', 'b', 'c', 'd', 'e'}) below += std::string(60, letter) + "\\";
  const std::string long_path = dir_.WriteFile(below + "Logo.gif", gif);
  ASSERT_GT(long_path.size(), 300u);
  dir_.WriteFile("a.gif", gif);

  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services{fs_, desktop, store};
  Options options;
  options.CurClipStr = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h>";
  options.FixedPath = "./";
  options.BasePath = Folder();
  const auto tag = [&](const std::string& path, std::uint8_t relative) {
    options.RelativePath = relative;
    const Result<std::string> text = MakePasteText(options, services, path);
    return text.ok() ? text.value() : text.error();
  };
  std::string url = below;
  std::replace(url.begin(), url.end(), '\\', '/');
  for (const std::string& path : {long_path, "\\\\?\\" + long_path}) {
    EXPECT_EQ(tag(path, 0), "<IMG SRC=\"./Logo.gif\" WIDTH=3 HEIGHT=2>") << path;
    EXPECT_EQ(tag(path, 255), "<IMG SRC=\"./" + url + "Logo.gif\" WIDTH=3 HEIGHT=2>") << path;
  }
  EXPECT_EQ(tag("\\\\?\\" + In("a.gif"), 255), "<IMG SRC=\"./a.gif\" WIDTH=3 HEIGHT=2>");
}

TEST_F(Win32FileSystemTest, DrivesAndSubdirectoriesForThePicker) {
  const std::vector<std::string> drives = fs_.Drives();
  ASSERT_FALSE(drives.empty());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
  EXPECT_TRUE(fs_.IsDirectory("C:\\"));

  for (const char* folder : {"beta", "Alpha", "gamma", "日本"}) dir_.MakeFolder(folder);
  dir_.WriteFile("a-file", Bytes{1});
  const std::vector<std::string> expected{"Alpha", "beta", "gamma", "日本"};
  EXPECT_EQ(fs_.Subdirectories(Folder()), expected);
  EXPECT_EQ(fs_.Subdirectories(Folder() + "\\"), expected);
  EXPECT_TRUE(fs_.IsDirectory(In("日本")));
  EXPECT_FALSE(fs_.IsDirectory(In("a-file")));
}

}  // namespace
}  // namespace tagsmit::testing
