#include "run/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "run/print_run.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using ::testing::ElementsAre;
using testing::FakeFileSystem;
using ::testing::IsEmpty;
using testing::MemorySettingsStore;
using testing::ScriptedDesktop;

constexpr char kTag[] = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";
constexpr char kNotFound[] = "ディレクトリまたはファイルが見つかりません";
constexpr char kMissing[] = "ファイルが存在しません";
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

void ExpectOneBox(const ScriptedDesktop& desktop, const std::string& prompt, BoxIcon icon,
                  const std::string& title = "Tagsmit") {
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, prompt);
  EXPECT_EQ(desktop.boxes[0].icon, icon);
  EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(desktop.boxes[0].title, title);
}

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    fs.AddFile("C:\\Web\\Logo.GIF", Gif(120, 60));
    fs.AddFile("C:\\Web\\Img\\Photo Big.gif", Gif(320, 240), {.short_alias = "PHOTOB~1.GIF"});
    fs.AddFile("C:\\Web\\hidden.gif", Gif(1, 2), {.hidden = true});
    fs.SetCurrentDirectory("C:\\Web");
    desktop.clipboard = kSentinel;
  }

  // Stores the nine values as the settings window saves them, some changed.
  void Store(std::map<std::string, std::string> changes = {}) {
    std::vector<SettingsEntry> entries = {
        {"version", "115"},     {"ClipStr", std::string(kTag) + "\n"},
        {"ClipStrNo", "0"},     {"NotyfyErr", "0"},
        {"Test", "0"},          {"LowerCase", "0"},
        {"RelativePath", "0"},  {"FixedPath", "./"},
        {"BasePath", "C:\\Web"}};
    for (auto& [key, value] : entries) {
      if (auto change = changes.extract(key)) value = change.mapped();
    }
    ASSERT_THAT(changes, IsEmpty());  // every change names one of the nine
    ASSERT_TRUE(store.Save("tagsmit", "init", entries).ok());
    saves_before_run_ = store.saves;
  }

  StartupResult Start(const std::string& text) {
    return Startup(app, services, Invocation::ArgumentText(text));
  }
  StartupResult StartWithFile(std::optional<std::string> name) {
    return Startup(app, services, Invocation::FileName(std::move(name)));
  }

  // A failed run leaves the clipboard, does not beep and never saves.
  void ExpectNothingChanged() {
    EXPECT_EQ(desktop.clipboard, kSentinel);
    EXPECT_EQ(desktop.clipboard_writes, 0);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(store.saves, saves_before_run_);
  }

  FakeFileSystem fs{PathStyle::Windows};
  RecordingDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
  int saves_before_run_ = 0;
};

// --- The decision between the run and the settings window.

TEST_F(StartupTest, NoArgumentOrNoPasteStringOpensTheSettingsWindow) {
  Store();
  EXPECT_EQ(Start("").outcome, StartupOutcome::kSettingsWindow);
  EXPECT_EQ(StartWithFile(std::nullopt).outcome, StartupOutcome::kSettingsWindow);
  EXPECT_THAT(desktop.boxes, IsEmpty());

  Store({{"ClipStr", "no line feed"}});
  EXPECT_EQ(Start("C:\\Web\\Logo.GIF").outcome, StartupOutcome::kSettingsWindow);
  EXPECT_EQ(StartWithFile("").outcome, StartupOutcome::kSettingsWindow);
  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);
  ExpectNothingChanged();
}

TEST_F(StartupTest, ShiftIsReadOnceAfterTheSettingsAndOpensTheWindow) {
  desktop.shift_held = true;  // nothing stored: the defaults beep first
  EXPECT_EQ(Start("C:\\Web\\Logo.GIF").outcome, StartupOutcome::kSettingsWindow);
  EXPECT_THAT(desktop.events, ElementsAre("beep", "shift"));
  EXPECT_EQ(desktop.clipboard, kSentinel);
  EXPECT_EQ(app.options.CmdLine, "C:\\Web\\Logo.GIF");  // not split, not touched
}

TEST_F(StartupTest, BlanksOnlyAreACommandLineAndRunToAnEmptyName) {
  Store({{"NotyfyErr", "1"}});
  EXPECT_EQ(Start("   ").outcome, StartupOutcome::kRunFailed);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt.substr(desktop.boxes[0].prompt.size() - 2), "\r\n");
  ExpectNothingChanged();
}

TEST_F(StartupTest, SplitFileNamesAreTakenWhole) {
  Store();
  // An empty argument is an empty file name: it runs, and fails.
  EXPECT_EQ(StartWithFile("").outcome, StartupOutcome::kRunFailed);
  // Quotes and blanks are part of the name; the file is not found under it.
  EXPECT_EQ(StartWithFile("\"C:\\Web\\Logo.GIF").outcome, StartupOutcome::kRunFailed);
  EXPECT_THAT(desktop.boxes, IsEmpty());
  ExpectNothingChanged();
}

// --- The failure table: only NotyfyErr 1 shows a box for a failed run.

class FailureTableTest : public StartupTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override { Store({{"NotyfyErr", GetParam()}}); }

  void ExpectReport(const std::string& prompt) {
    if (std::string(GetParam()) == "1") {
      ExpectOneBox(desktop, prompt, BoxIcon::Critical);
    } else {
      EXPECT_THAT(desktop.boxes, IsEmpty());
    }
  }
};

TEST_P(FailureTableTest, LoneQuoteIsAlwaysReported) {
  const StartupResult result = Start("C:\\Web\\Logo.GIF \"");
  EXPECT_EQ(result.outcome, StartupOutcome::kBadCommandLine);
  EXPECT_EQ(ExitStatus(result.outcome), 2);
  ExpectOneBox(desktop, "コマンドラインが不正です。めったに起らないエラーです。",
               BoxIcon::Critical);
  ExpectNothingChanged();
}

TEST_P(FailureTableTest, SizeQueryMessagesNameTheFileAsTyped) {
  const StartupResult result = Start("\"C:\\Web\\No Such.gif\" ignored");
  EXPECT_EQ(result.outcome, StartupOutcome::kRunFailed);
  EXPECT_EQ(ExitStatus(result.outcome), 1);
  ExpectReport(std::string(kMissing) + "\r\nC:\\Web\\No Such.gif");
  ExpectNothingChanged();
}

TEST_P(FailureTableTest, UnresolvableReferencePathIsReportedAsNotFound) {
  // Readable, but hidden from the name lookups; with no fixed prefix, or in relative mode.
  for (const auto& mode : {std::pair{"FixedPath", ""}, std::pair{"RelativePath", "255"}}) {
    SCOPED_TRACE(mode.first);
    Store({{"NotyfyErr", GetParam()}, {mode.first, mode.second}});
    desktop.boxes.clear();
    EXPECT_EQ(Start("c:\\web\\HIDDEN.gif").outcome, StartupOutcome::kRunFailed);
    ExpectReport(std::string(kNotFound) + "\r\nc:\\web\\HIDDEN.gif");
  }
  ExpectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P(NotyfyErr, FailureTableTest, ::testing::Values("0", "1", "255"));

// --- Forming the reference path.

TEST_F(StartupTest, FixedPathTakesTheStoredNameAndNoSeparator) {
  Store({{"ClipStr", "&f\n"}, {"FixedPath", "IMAGES"}, {"LowerCase", "1"}});
  Start("c:\\web\\img\\photob~1.gif");
  EXPECT_EQ(desktop.clipboard, "imagesphoto big.gif");  // the prefix is lower-cased too

  Store({{"ClipStr", "&f\n"}, {"FixedPath", ""}});
  Start("c:\\web\\img\\photob~1.gif");
  EXPECT_EQ(desktop.clipboard, "Photo Big.gif");

  Store({{"ClipStr", "&f\n"}, {"FixedPath", "../pics/"}});
  Start("C:\\Web\\hidden.gif");  // hidden: the prefix alone
  EXPECT_EQ(desktop.clipboard, "../pics/");
}

// --- The test display and the clipboard.

// A clipboard that hands back something other than what it was given, as a
// platform that converts text might.
class ConvertingDesktop : public RecordingDesktop {
 public:
  Result<std::string> ClipboardText() override { return "as held: " + clipboard; }
};

TEST_F(StartupTest, TestDisplayShowsWhatTheClipboardHoldsThenBeeps) {
  ConvertingDesktop converting;
  Services converting_services{fs, converting, store};
  Store({{"Test", "1"}, {"ClipStr", "&f\n"}});
  const StartupResult result =
      Startup(app, converting_services, Invocation::ArgumentText("C:\\Web\\Logo.GIF"));
  EXPECT_EQ(result.outcome, StartupOutcome::kRunSucceeded);
  EXPECT_EQ(ExitStatus(result.outcome), 0);
  EXPECT_THAT(converting.events, ElementsAre("shift", "clipboard", "box", "beep"));
  ExpectOneBox(converting, "as held: ./Logo.GIF", BoxIcon::None, "Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容");
}

TEST_F(StartupTest, ClipboardFailureIsNamedAndNothingElseHappens) {
  Store({{"Test", "1"}});
  desktop.clipboard_fails = true;
  const StartupResult result = Start("C:\\Web\\Logo.GIF");
  EXPECT_EQ(result.outcome, StartupOutcome::kClipboardFailed);
  EXPECT_EQ(ExitStatus(result.outcome), 1);
  EXPECT_EQ(result.error, "clipboard is held by another program");
  EXPECT_THAT(desktop.boxes, IsEmpty());
  EXPECT_EQ(desktop.beeps, 0);
}

// --- Print mode.

TEST_F(StartupTest, PrintRunTouchesNoDesktopStateEvenOnFailure) {
  Store({{"NotyfyErr", "1"}});
  const Result<std::string> printed = PrintRun(app, services, "C:\\Web\\Logo.GIF");
  ASSERT_TRUE(printed.ok());
  EXPECT_EQ(printed.value(), "<IMG SRC=\"./Logo.GIF\" WIDTH=120 HEIGHT=60 ALT=\"\">");
  const Result<std::string> failed = PrintRun(app, services, "C:\\Web\\gone.gif");
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error(), std::string(kMissing) + "\nC:\\Web\\gone.gif\n");
  EXPECT_THAT(desktop.events, IsEmpty());  // no Shift, no clipboard, no box, no beep
}

TEST_F(StartupTest, PrintRunWithoutPasteStringFailsAfterLoadSettingsSaidSo) {
  Store({{"ClipStr", ""}});
  const Result<std::string> printed = PrintRun(app, services, "C:\\Web\\Logo.GIF");
  ASSERT_FALSE(printed.ok());
  EXPECT_EQ(printed.error(), "");
  EXPECT_EQ(desktop.boxes.size(), 1u);
}

}  // namespace
}  // namespace tagsmit
