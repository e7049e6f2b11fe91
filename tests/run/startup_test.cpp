#include "run/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "run/print_run.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using ::testing::ElementsAre;
using testing::EntryOptions;
using testing::FakeFileSystem;
using ::testing::IsEmpty;
using testing::MemorySettingsStore;
using testing::ScriptedDesktop;

constexpr char kTag[] = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";
constexpr char kBadCommandLine[] = "コマンドラインが不正です。めったに起らないエラーです。";
constexpr char kNotFound[] = "ディレクトリまたはファイルが見つかりません";
constexpr char kMissing[] = "ファイルが存在しません";
constexpr char kTestTitle[] = "Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容";
constexpr char kSentinel[] = "held before the run";

// The scripted desktop, also recording when the Shift key is read.
class RecordingDesktop : public ScriptedDesktop {
 public:
  std::int16_t KeyState(int virtual_key) override {
    events.push_back("shift");
    return ScriptedDesktop::KeyState(virtual_key);
  }
};

std::string Gif(int width, int height) {
  std::string bytes = "GIF89a";
  for (int value : {width, height}) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
  }
  return bytes + std::string(16, '\0');
}

// The nine stored values, as the settings window saves them.
struct Stored {
  std::string clip_str = std::string(kTag) + "\n";
  std::string clip_str_no = "0";
  std::string notyfy_err = "0";
  std::string test = "0";
  std::string lower_case = "0";
  std::string relative_path = "0";
  std::string fixed_path = "./";
  std::string base_path = "C:\\Web";
};

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    fs.AddFile("C:\\Web\\Logo.GIF", Gif(120, 60));
    fs.AddFile("C:\\Web\\Doc\\a.gif", Gif(7, 9));
    fs.AddFile("C:\\Web\\Img\\Photo Big.gif", Gif(320, 240), {.short_alias = "PHOTOB~1.GIF"});
    fs.AddFile("C:\\Web\\hidden.gif", Gif(1, 2), {.hidden = true});
    fs.AddFile("C:\\Web\\bad.gif", "GIF12a and more bytes");
    fs.AddDirectory("C:\\Web\\folder.gif");
    fs.SetCurrentDirectory("C:\\Web");
    desktop.clipboard = kSentinel;
  }

  void Store(const Stored& s) {
    ASSERT_TRUE(store
                    .Save("tagsmit", "init",
                          {{"version", "115"},
                           {"ClipStr", s.clip_str},
                           {"ClipStrNo", s.clip_str_no},
                           {"NotyfyErr", s.notyfy_err},
                           {"Test", s.test},
                           {"LowerCase", s.lower_case},
                           {"RelativePath", s.relative_path},
                           {"FixedPath", s.fixed_path},
                           {"BasePath", s.base_path}})
                    .ok());
  }

  StartupResult Start(const std::string& text) {
    return Startup(app, services, Invocation::ArgumentText(text));
  }

  // A failed run leaves the clipboard, does not beep and never saves.
  void ExpectNothingChanged() {
    EXPECT_EQ(desktop.clipboard, kSentinel);
    EXPECT_EQ(desktop.clipboard_writes, 0);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(store.saves, 1);  // the one of the test's own setup
  }

  FakeFileSystem fs{PathStyle::Windows};
  RecordingDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
};

// --- The decision between the run and the settings window.

TEST_F(StartupTest, EmptyCommandLineOpensTheSettingsWindow) {
  Store({});
  EXPECT_EQ(Start("").outcome, StartupOutcome::kSettingsWindow);
  EXPECT_EQ(desktop.clipboard_writes, 0);
  EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(StartupTest, ShiftIsReadOnceAfterTheSettingsAndOpensTheWindow) {
  desktop.shift_held = true;  // nothing stored: the defaults beep first
  EXPECT_EQ(Start("C:\\Web\\Logo.GIF").outcome, StartupOutcome::kSettingsWindow);
  EXPECT_THAT(desktop.events, ElementsAre("beep", "shift"));
  EXPECT_EQ(desktop.clipboard, kSentinel);
  EXPECT_EQ(app.options.CmdLine, "C:\\Web\\Logo.GIF");  // not split, not touched
}

TEST_F(StartupTest, EmptyPasteStringListOpensTheWindowDespiteAFile) {
  Stored stored;
  stored.clip_str = "";
  Store(stored);
  EXPECT_EQ(Start("C:\\Web\\Logo.GIF").outcome, StartupOutcome::kSettingsWindow);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);
  ExpectNothingChanged();
}

TEST_F(StartupTest, BlanksOnlyAreACommandLineAndRunToAnEmptyName) {
  Stored stored;
  stored.notyfy_err = "1";
  Store(stored);
  EXPECT_EQ(Start("   ").outcome, StartupOutcome::kRunFailed);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt.substr(desktop.boxes[0].prompt.size() - 2), "\r\n");
  ExpectNothingChanged();
}

TEST_F(StartupTest, SplitFileNamesDecideByPresenceNotByText) {
  Store({});
  EXPECT_EQ(Startup(app, services, Invocation::FileName(std::nullopt)).outcome,
            StartupOutcome::kSettingsWindow);
  // An empty argument is an empty file name: it runs, and fails.
  EXPECT_EQ(Startup(app, services, Invocation::FileName("")).outcome, StartupOutcome::kRunFailed);
  // Quotes and blanks are part of the name; the file is not found under it.
  EXPECT_EQ(Startup(app, services, Invocation::FileName("\"C:\\Web\\Logo.GIF")).outcome,
            StartupOutcome::kRunFailed);
  EXPECT_THAT(desktop.boxes, IsEmpty());
  ExpectNothingChanged();
}

TEST_F(StartupTest, SplitFileNameWithEmptyListOpensTheWindow) {
  Stored stored;
  stored.clip_str = "no line feed";
  Store(stored);
  EXPECT_EQ(Startup(app, services, Invocation::FileName("")).outcome,
            StartupOutcome::kSettingsWindow);
}

// --- The failure table, for every NotyfyErr value that matters.

class FailureTableTest : public StartupTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    Stored stored;
    stored.notyfy_err = GetParam();
    Store(stored);
  }
  bool Reports() const { return std::string(GetParam()) == "1"; }

  void ExpectReport(const std::string& prompt) {
    if (!Reports()) {
      EXPECT_THAT(desktop.boxes, IsEmpty());
      return;
    }
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].prompt, prompt);
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Critical);
    EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::Ok);
    EXPECT_EQ(desktop.boxes[0].title, "Tagsmit");
  }
};

TEST_P(FailureTableTest, LoneQuoteIsAlwaysReported) {
  const StartupResult result = Start("C:\\Web\\Logo.GIF \"");
  EXPECT_EQ(result.outcome, StartupOutcome::kBadCommandLine);
  EXPECT_EQ(ExitStatus(result.outcome), 2);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, kBadCommandLine);
  EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Critical);
  EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(desktop.boxes[0].title, "Tagsmit");
  ExpectNothingChanged();
}

TEST_P(FailureTableTest, SizeQueryMessagesNameTheFileAsTyped) {
  const StartupResult result = Start("\"C:\\Web\\No Such.gif\" ignored");
  EXPECT_EQ(result.outcome, StartupOutcome::kRunFailed);
  EXPECT_EQ(ExitStatus(result.outcome), 1);
  ExpectReport(std::string(kMissing) + "\r\nC:\\Web\\No Such.gif");
  ExpectNothingChanged();
}

TEST_P(FailureTableTest, EveryKindOfUnreadableFileFails) {
  for (const char* name : {"C:\\Web\\bad.gif", "C:\\Web\\folder.gif", "\"\""}) {
    SCOPED_TRACE(name);
    desktop.boxes.clear();
    EXPECT_EQ(Start(name).outcome, StartupOutcome::kRunFailed);
    EXPECT_EQ(desktop.boxes.size(), Reports() ? 1u : 0u);
  }
  ExpectNothingChanged();
}

TEST_P(FailureTableTest, EmptyReferencePathIsReportedAsNotFound) {
  Stored stored;
  stored.notyfy_err = GetParam();
  stored.fixed_path = "";
  Store(stored);
  // Readable, but hidden from the ordinary-file lookup, and no prefix.
  EXPECT_EQ(Start("c:\\web\\HIDDEN.gif").outcome, StartupOutcome::kRunFailed);
  ExpectReport(std::string(kNotFound) + "\r\nc:\\web\\HIDDEN.gif");
  EXPECT_EQ(desktop.clipboard, kSentinel);
  EXPECT_EQ(desktop.beeps, 0);
}

TEST_P(FailureTableTest, UnresolvedRelativePathIsReportedAsNotFound) {
  Stored stored;
  stored.notyfy_err = GetParam();
  stored.relative_path = "255";
  Store(stored);
  EXPECT_EQ(Start("C:\\Web\\hidden.gif").outcome, StartupOutcome::kRunFailed);
  ExpectReport(std::string(kNotFound) + "\r\nC:\\Web\\hidden.gif");
  EXPECT_EQ(desktop.clipboard, kSentinel);
}

INSTANTIATE_TEST_SUITE_P(NotyfyErr, FailureTableTest, ::testing::Values("0", "1", "2", "255"));

// --- Forming the reference path.

TEST_F(StartupTest, FixedPathLowerCasedLikeTheWorkedExample) {
  Stored stored;
  stored.lower_case = "1";
  Store(stored);
  const StartupResult result = Start("C:\\Web\\Logo.GIF");
  EXPECT_EQ(result.outcome, StartupOutcome::kRunSucceeded);
  EXPECT_EQ(ExitStatus(result.outcome), 0);
  EXPECT_EQ(desktop.clipboard, "<IMG SRC=\"./logo.gif\" WIDTH=120 HEIGHT=60 ALT=\"\">");
  EXPECT_THAT(desktop.events, ElementsAre("shift", "clipboard", "beep"));
  EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(StartupTest, FixedPathTakesTheStoredNameAndNoSeparator) {
  Stored stored;
  stored.clip_str = "&f\n";
  stored.fixed_path = "IMAGES";
  stored.lower_case = "1";
  Store(stored);
  Start("c:\\web\\img\\photob~1.gif");
  EXPECT_EQ(desktop.clipboard, "imagesphoto big.gif");  // the prefix is lower-cased too

  stored.lower_case = "0";
  stored.fixed_path = "";
  Store(stored);
  Start("c:\\web\\img\\photob~1.gif");
  EXPECT_EQ(desktop.clipboard, "Photo Big.gif");

  stored.fixed_path = "../pics/";
  Store(stored);
  Start("C:\\Web\\hidden.gif");  // hidden: the prefix alone
  EXPECT_EQ(desktop.clipboard, "../pics/");
}

TEST_F(StartupTest, RelativePathFromTheBaseWithForwardSlashes) {
  Stored stored;
  stored.relative_path = "255";
  stored.base_path = "C:\\Web\\Doc";
  Store(stored);
  Start("C:\\WEB\\IMG\\PHOTOB~1.GIF");
  EXPECT_EQ(desktop.clipboard, "<IMG SRC=\"../Img/Photo Big.gif\" WIDTH=320 HEIGHT=240 ALT=\"\">");

  stored.lower_case = "1";
  Store(stored);
  Start("C:\\WEB\\IMG\\PHOTOB~1.GIF");
  EXPECT_EQ(desktop.clipboard, "<IMG SRC=\"../img/photo big.gif\" WIDTH=320 HEIGHT=240 ALT=\"\">");
}

TEST_F(StartupTest, PlaceholdersInsideThePathStayAndNumbersLoseTheirBlank) {
  fs.AddFile("C:\\Web\\x&h&w.gif", Gif(32767, 0));
  Stored stored;
  stored.clip_str = " WIDTH=&w HEIGHT=&h\n[&f]\n";
  stored.clip_str_no = "1";  // the entry shown second: " WIDTH=&w HEIGHT=&h"
  Store(stored);
  Start("C:\\Web\\x&h&w.gif");
  EXPECT_EQ(desktop.clipboard, " WIDTH=32767 HEIGHT=0");
  stored.clip_str_no = "0";
  Store(stored);
  Start("C:\\Web\\x&h&w.gif");
  EXPECT_EQ(desktop.clipboard, "[./x&h&w.gif]");
}

TEST_F(StartupTest, SplitFileNameRunsOnAPosixFileSystem) {
  FakeFileSystem posix(PathStyle::Posix);
  posix.AddFile("/home/u/site/img/Logo \"1\".gif", Gif(5, 6));
  posix.SetCurrentDirectory("/home/u/site");
  Services posix_services{posix, desktop, store};
  Stored stored;
  stored.relative_path = "255";
  stored.base_path = "/home/u/site";
  Store(stored);
  const StartupResult result =
      Startup(app, posix_services, Invocation::FileName("img/Logo \"1\".gif"));
  EXPECT_EQ(result.outcome, StartupOutcome::kRunSucceeded);
  EXPECT_EQ(desktop.clipboard, "<IMG SRC=\"./img/Logo \"1\".gif\" WIDTH=5 HEIGHT=6 ALT=\"\">");
}

// --- The test display and the clipboard.

// A clipboard that hands back something other than what it was given, as a
// platform that converts text might.
class ConvertingDesktop : public RecordingDesktop {
 public:
  Result<std::string> ClipboardText() override { return "as held: " + clipboard; }
};

TEST_F(StartupTest, TestDisplayShowsTheClipboardThenBeeps) {
  ConvertingDesktop converting;
  Services converting_services{fs, converting, store};
  Stored stored;
  stored.test = "1";
  stored.clip_str = "&f\n";
  Store(stored);
  EXPECT_EQ(
      Startup(app, converting_services, Invocation::ArgumentText("C:\\Web\\Logo.GIF")).outcome,
      StartupOutcome::kRunSucceeded);
  EXPECT_THAT(converting.events, ElementsAre("shift", "clipboard", "box", "beep"));
  ASSERT_EQ(converting.boxes.size(), 1u);
  EXPECT_EQ(converting.boxes[0].prompt, "as held: ./Logo.GIF");
  EXPECT_EQ(converting.boxes[0].icon, BoxIcon::None);
  EXPECT_EQ(converting.boxes[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(converting.boxes[0].title, kTestTitle);
}

TEST_F(StartupTest, ClipboardFailureIsNamedAndNothingElseHappens) {
  Stored stored;
  stored.test = "1";
  Store(stored);
  desktop.clipboard_fails = true;
  const StartupResult result = Start("C:\\Web\\Logo.GIF");
  EXPECT_EQ(result.outcome, StartupOutcome::kClipboardFailed);
  EXPECT_EQ(ExitStatus(result.outcome), 1);
  EXPECT_EQ(result.error, "clipboard is held by another program");
  EXPECT_THAT(desktop.boxes, IsEmpty());
  EXPECT_EQ(desktop.beeps, 0);
}

// --- Print mode.

TEST_F(StartupTest, PrintRunGivesThePasteTextAndTouchesNoDesktopState) {
  Store({});
  const Result<std::string> printed = PrintRun(app, services, "C:\\Web\\Logo.GIF");
  ASSERT_TRUE(printed.ok());
  EXPECT_EQ(printed.value(), "<IMG SRC=\"./Logo.GIF\" WIDTH=120 HEIGHT=60 ALT=\"\">");
  EXPECT_THAT(desktop.events, IsEmpty());  // no Shift, no clipboard, no beep
}

TEST_F(StartupTest, PrintRunFailureTextNamesMessageAndFile) {
  Stored stored;
  stored.notyfy_err = "1";  // print mode never shows a box
  Store(stored);
  const Result<std::string> printed = PrintRun(app, services, "C:\\Web\\gone.gif");
  ASSERT_FALSE(printed.ok());
  EXPECT_EQ(printed.error(), std::string(kMissing) + "\nC:\\Web\\gone.gif\n");
  EXPECT_THAT(desktop.events, IsEmpty());
}

TEST_F(StartupTest, PrintRunWithoutPasteStringFailsAfterLoadSettingsSaidSo) {
  Stored stored;
  stored.clip_str = "";
  Store(stored);
  const Result<std::string> printed = PrintRun(app, services, "C:\\Web\\Logo.GIF");
  ASSERT_FALSE(printed.ok());
  EXPECT_EQ(printed.error(), "");
  EXPECT_EQ(desktop.boxes.size(), 1u);
}

}  // namespace
}  // namespace tagsmit
