#include "run/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "run/command_line.h"
#include "run/print_run.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using testing::Boxes;
using testing::BoxSeen;
using ::testing::ElementsAre;
using testing::FakeFileSystem;
using ::testing::IsEmpty;
using testing::MemorySettingsStore;
using testing::ScriptedDesktop;
using testing::Told;

constexpr char kTag[] = "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">";
constexpr char kMissing[] = "ファイルが存在しません";
constexpr char kSentinel[] = "held before the run";

TEST(SplitCommandLineTest, QuotedNameFirstElseUpToTheFirstBlank) {
  struct Case {
    const char* cmd_line;
    std::optional<std::string> expected;  // nothing: a bad command line
  };
  const Case cases[] = {
      {"C:\\a.gif \"C:\\b c.gif\"", "C:\\b c.gif"},  // a quoted name wins wherever it stands
      {"x\"a.gif\"y \"b.gif\"", "a.gif"},            // text around the first pair is dropped
      {"\"\"", ""},
      {"C:\\a.gif", "C:\\a.gif"},
      {" a.gif", ""},
      {"a\tb.gif c.gif", "a\tb.gif"},  // only the space character separates
      {"\"", std::nullopt},
      {"C:\\a b\".gif", std::nullopt},  // a lone quote is bad even after a blank
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.cmd_line), c.expected) << c.cmd_line;
}

// Its clipboard hands back something other than it was given, as a platform
// that converts text might.
class ConvertingDesktop : public ScriptedDesktop {
 public:
  Result<std::string> ClipboardText() override { return "as held: " + clipboard; }
};

std::string Gif(char width, char height) {
  return std::string("GIF89a") + width + '\0' + height + '\0' + std::string(16, '\0');
}

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    fs.AddFile("C:\\Web\\Logo.GIF", Gif(120, 60));
    fs.AddFile("C:\\Web\\Img\\Photo Big.gif", Gif(32, 24), {.short_alias = "PHOTOB~1.GIF"});
    fs.AddFile("C:\\Web\\hidden.gif", Gif(1, 2), {.hidden = true});
    fs.ChangeDirectory("C:\\Web");
    desktop.clipboard = kSentinel;
  }

  // Stores the values as the settings window saves them, some changed.
  void Store(std::map<std::string, std::string> changes = {}) {
    std::vector<SettingsEntry> entries = {
        {"version", "115"},      {"ClipStr", std::string(kTag) + "\n"},
        {"ClipStrNo", "0"},      {"NotyfyErr", "0"},
        {"Test", "0"},           {"LowerCase", "0"},
        {"RelativePath", "0"},   {"FixedPath", "./"},
        {"BasePath", "C:\\Web"}, {"MoreFormats", "0"},
        {"DisplaySize", "0"},    {"DensitySize", "0"},
        {"SrcSet", "0"},         {"SeveralFiles", "0"}};
    for (auto& [key, value] : entries) {
      if (auto change = changes.extract(key)) value = change.mapped();
    }
    ASSERT_THAT(changes, IsEmpty());  // every change names a stored value
    ASSERT_TRUE(store.Save("tagsmit", "init", entries).ok());
    saves_before_run_ = store.saves;
  }

  StartupOutcome Start(const Invocation& invocation) { return Startup(app, services, invocation); }
  StartupOutcome Start(const std::string& text) { return Start(Invocation::ArgumentText(text)); }

  // A failed run leaves the clipboard, does not beep and never saves.
  void ExpectNothingChanged() {
    EXPECT_EQ(desktop.clipboard, kSentinel);
    EXPECT_EQ(desktop.Count("clipboard"), 0);
    EXPECT_EQ(desktop.Count("beep"), 0);
    EXPECT_EQ(store.saves, saves_before_run_);
  }

  FakeFileSystem fs{PathStyle::Windows};
  ConvertingDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
  int saves_before_run_ = 0;
};

// No argument at all opens it too: e2e cancel.
TEST_F(StartupTest, NoPasteStringOpensTheSettingsWindow) {
  Store({{"ClipStr", "no line feed"}});
  EXPECT_EQ(Start("C:\\Web\\Logo.GIF"), StartupOutcome::kSettingsWindow);
  EXPECT_EQ(Start(Invocation::FileName("")), StartupOutcome::kSettingsWindow);
  ASSERT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);
  ExpectNothingChanged();
}

TEST_F(StartupTest, ShiftIsReadOnceAfterTheSettingsAndOpensTheWindow) {
  desktop.shift_held = true;  // nothing stored: the defaults beep first
  EXPECT_EQ(Start("C:\\Web\\Logo.GIF"), StartupOutcome::kSettingsWindow);
  EXPECT_THAT(desktop.events, ElementsAre("beep", "shift"));
  EXPECT_EQ(desktop.clipboard, kSentinel);
}

// A failed run shows its box only when NotyfyErr is 1; a bad command line
// always does. The file is named as typed.
TEST_F(StartupTest, FailuresAreReportedAsTheTableSaysAndChangeNothing) {
  struct Case {
    Invocation invocation;
    std::string report;
    std::pair<std::string, std::string> setting{"Test", "0"};  // besides NotyfyErr
  };
  constexpr auto text = &Invocation::ArgumentText;
  constexpr auto file = &Invocation::FileName;
  const std::string unsuitable = "ファイルが適切ではありません\n";
  const std::string hidden = "ディレクトリまたはファイルが見つかりません\nc:\\web\\HIDDEN.gif";
  const Case cases[] = {
      {text("\"C:\\Web\\No Such.gif\" ignored"), std::string(kMissing) + "\nC:\\Web\\No Such.gif"},
      // Blanks only, or an empty argument, are an empty file name that runs.
      {text("   "), unsuitable},
      {file(""), unsuitable},
      // A split argument is the name whole, quotes and all.
      {file("\"C:\\Web\\Logo.GIF"), unsuitable + "\"C:\\Web\\Logo.GIF"},
      // Readable, but hidden from the walk of relative mode.
      {text("c:\\web\\HIDDEN.gif"), hidden, {"RelativePath", "255"}},
  };
  for (const std::string notify : {"0", "1", "255"}) {
    SCOPED_TRACE("NotyfyErr " + notify);
    Store({{"NotyfyErr", notify}});
    desktop.boxes.clear();
    EXPECT_EQ(Start("C:\\Web\\Logo.GIF \""), StartupOutcome::kBadCommandLine);
    EXPECT_THAT(Boxes(desktop),
                ElementsAre(Told("コマンドラインが不正です。めったに起らないエラーです。",
                                 BoxIcon::Critical)));
    for (const Case& c : cases) {
      SCOPED_TRACE(c.report);
      Store({{"NotyfyErr", notify}, c.setting});
      desktop.boxes.clear();
      EXPECT_EQ(Start(c.invocation), StartupOutcome::kRunFailed);
      EXPECT_EQ(Boxes(desktop), notify == "1" ? std::vector{Told(c.report, BoxIcon::Critical)}
                                              : std::vector<BoxSeen>{});
    }
  }
  EXPECT_EQ(ExitStatus(StartupOutcome::kBadCommandLine), 2);
  EXPECT_EQ(ExitStatus(StartupOutcome::kRunFailed), 1);
  ExpectNothingChanged();
}

TEST_F(StartupTest, FixedPathTakesTheStoredNameAndNoSeparator) {
  Store({{"ClipStr", "&f\n"}, {"FixedPath", "IMAGES"}, {"LowerCase", "1"}});
  Start("c:\\web\\img\\photob~1.gif");
  EXPECT_EQ(desktop.clipboard, "imagesphoto big.gif");  // the prefix is lower-cased too

  // A hidden file is named like any other, never by the prefix alone.
  Store({{"ClipStr", "&f\n"}, {"FixedPath", "../pics/"}});
  Start("C:\\Web\\HIDDEN.gif");
  EXPECT_EQ(desktop.clipboard, "../pics/hidden.gif");
}

// The switches reach the size query: a PNG named .jpg is read by its content,
// and a photo turned by its Exif orientation gives the size it is shown at.
TEST_F(StartupTest, SwitchesChangeHowTheImageIsMeasured) {
  using namespace std::literals;
  fs.AddFile("C:\\Web\\png.jpg", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x05\0\0\0\x03\x08"s);
  fs.AddFile("C:\\Web\\turned.jpg",
             "\xFF\xD8\xFF\xE1\0\x22"
             "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0"
             "\xFF\xC0\0\x11\x08\0\x1E\0\x28"s);
  const std::tuple<const char*, const char*, const char*, const char*> runs[] = {
      {"0", "0", "C:\\Web\\turned.jpg", "40 30"},
      {"0", "1", "C:\\Web\\turned.jpg", "30 40"},
      {"1", "0", "C:\\Web\\png.jpg", "5 3"},
  };
  for (const auto& [more_formats, display_size, file, size] : runs) {
    Store({{"ClipStr", "&w &h\n"}, {"MoreFormats", more_formats}, {"DisplaySize", display_size}});
    Start(file);
    EXPECT_EQ(desktop.clipboard, size) << file;
  }
}

// A clipboard that fails is named in a box, and nothing else happens.
TEST_F(StartupTest, TestDisplayShowsWhatTheClipboardHoldsThenBeeps) {
  Store({{"Test", "1"}, {"ClipStr", "&f\n"}});
  EXPECT_EQ(Start("C:\\Web\\Logo.GIF"), StartupOutcome::kRunSucceeded);
  EXPECT_THAT(desktop.events, ElementsAre("shift", "clipboard", "box", "beep"));
  EXPECT_THAT(Boxes(desktop),
              ElementsAre(Told("as held: ./Logo.GIF", BoxIcon::None, "Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容")));

  desktop.clipboard_fails = true;
  const StartupOutcome failed = Start("C:\\Web\\Logo.GIF");
  EXPECT_EQ(failed, StartupOutcome::kClipboardFailed);
  EXPECT_EQ(ExitStatus(failed), 1);
  EXPECT_THAT(Boxes(desktop),
              ElementsAre(Told("as held: ./Logo.GIF", BoxIcon::None, "Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容"),
                          Told("クリップボードを使えません。\n"
                               "clipboard is held by another program",
                               BoxIcon::Critical)));
  EXPECT_EQ(desktop.Count("beep"), 1);
}

// Print mode touches no desktop state, even on failure; without a paste string
// it fails with nothing more to say than the box LoadSettings showed. The
// printed tag is e2e print.
TEST_F(StartupTest, PrintRunGivesTheTextOrTheFailureForStandardError) {
  Store({{"NotyfyErr", "1"}});
  const Printed failed = PrintRun(app, services, Invocation::ArgumentText("C:\\Web\\gone.gif"));
  EXPECT_EQ(failed.outcome, StartupOutcome::kRunFailed);
  EXPECT_EQ(failed.text, std::string(kMissing) + "\nC:\\Web\\gone.gif\n");
  EXPECT_THAT(desktop.events, IsEmpty());  // no Shift, no clipboard, no box, no beep

  Store({{"ClipStr", ""}});
  const Printed unset = PrintRun(app, services, Invocation::ArgumentText("C:\\Web\\Logo.GIF"));
  EXPECT_EQ(unset.outcome, StartupOutcome::kRunFailed);
  EXPECT_EQ(unset.text, "");
  EXPECT_EQ(desktop.boxes.size(), 1u);
}

class SeveralFilesTest : public StartupTest {
 protected:
  SeveralFilesTest() {
    for (const char* name : {"img10.gif", "img2.gif", "IMG1.gif"}) {
      fs.AddFile(std::string("C:\\Web\\") + name, Gif(5, 7));
    }
  }
  // Files C:\Web\gone1.gif ... goneN.gif that do not exist, in the order given.
  static std::vector<std::string> Missing(std::initializer_list<int> numbers) {
    std::vector<std::string> names;
    for (const int n : numbers) names.push_back("C:\\Web\\gone" + std::to_string(n) + ".gif");
    return names;
  }
  static std::string Quoted(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += " \"" + name + "\"";
    return text;
  }
  // What the user is told of those files: the message and the name of each.
  static std::string Report(const std::vector<std::string>& names) {
    std::string report;
    for (const std::string& name : names) {
      report += (report.empty() ? "" : "\n") + std::string(kMissing) + "\n" + name;
    }
    return report;
  }
};

// Every name of the command line gives its line, in natural order of the
// names, as one clipboard text with one beep; the test display shows it once,
// whole. Folders come before the names beside them.
TEST_F(SeveralFilesTest, EveryFileGivesALineInNaturalOrder) {
  Store({{"SeveralFiles", "1"}, {"Test", "1"}, {"ClipStr", "&f &w\n"}});
  const std::string text = "./Photo Big.gif 32\n./IMG1.gif 5\n./img2.gif 5\n./img10.gif 5";
  EXPECT_EQ(Start("C:\\Web\\img10.gif \"C:\\Web\\Img\\Photo Big.gif\" C:\\Web\\img2.gif "
                  "C:\\Web\\IMG1.gif"),
            StartupOutcome::kRunSucceeded);
  EXPECT_EQ(desktop.clipboard, text);
  EXPECT_THAT(desktop.events, ElementsAre("shift", "clipboard", "box", "beep"));
  EXPECT_THAT(Boxes(desktop),
              ElementsAre(Told("as held: " + text, BoxIcon::None, "Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容")));

  // The shell's list on Linux, and print mode, give the same text.
  Store({{"SeveralFiles", "1"}, {"ClipStr", "&f &w\n"}});
  desktop.clipboard.clear();
  const std::vector<std::string> names = {"C:\\Web\\img2.gif", "C:\\Web\\img10.gif",
                                          "C:\\Web\\IMG1.gif", "c:\\web\\img\\photob~1.gif"};
  EXPECT_EQ(Start(Invocation::FileNames(names)), StartupOutcome::kRunSucceeded);
  EXPECT_EQ(desktop.clipboard, text);
  const Printed printed = PrintRun(app, services, Invocation::FileNames(names));
  EXPECT_EQ(printed.outcome, StartupOutcome::kRunSucceeded);
  EXPECT_EQ(printed.text, text);

  // One file has no order to find: the lower-case mapping (on Linux a locale
  // loaded, a third of a run's memory) is left alone, as with the switch off.
  desktop.lower_case_calls = 0;
  EXPECT_EQ(Start(Invocation::FileNames({"C:\\Web\\img2.gif"})), StartupOutcome::kRunSucceeded);
  EXPECT_EQ(desktop.clipboard, "./img2.gif 5");
  EXPECT_EQ(desktop.lower_case_calls, 0);
}

// One file that cannot be read stops the whole run: nothing is copied, no
// beep, and a box (NotyfyErr 1 only) names each failure in the order of the
// lines, the first ten and a count of the rest. Print mode names them all.
TEST_F(SeveralFilesTest, AnyFailureCopiesNothingAndEachIsNamed) {
  const std::vector<std::string> two = Missing({10, 2});
  const std::vector<std::string> twelve = Missing({12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
  const std::string first_ten = Report(Missing({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  for (const std::string notify : {"0", "1"}) {
    SCOPED_TRACE("NotyfyErr " + notify);
    Store({{"SeveralFiles", "1"}, {"NotyfyErr", notify}});
    desktop.boxes.clear();
    EXPECT_EQ(Start("C:\\Web\\Logo.GIF" + Quoted(two)), StartupOutcome::kRunFailed);
    EXPECT_EQ(Start(Quoted(twelve)), StartupOutcome::kRunFailed);
    if (notify == "1") {
      EXPECT_THAT(
          Boxes(desktop),
          ElementsAre(Told(Report(Missing({2, 10})), BoxIcon::Critical),
                      Told(first_ten + "\nほかに 2 個のファイルも読めません", BoxIcon::Critical)));
    } else {
      EXPECT_THAT(Boxes(desktop), IsEmpty());
    }
  }
  ExpectNothingChanged();

  const Printed printed = PrintRun(app, services, Invocation::FileNames(twelve));
  EXPECT_EQ(printed.outcome, StartupOutcome::kRunFailed);
  EXPECT_EQ(printed.text, Report(Missing({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})) + "\n");
}

// Off, the one-file rules hold; on, a double quote without a partner is a bad
// command line, told in a box always and in print mode as what is wrong.
TEST_F(SeveralFilesTest, SwitchOffReadsOneFileAndALoneQuoteIsBad) {
  Store({{"ClipStr", "&f\n"}});
  Start("C:\\Web\\img2.gif \"C:\\Web\\img10.gif\" \"C:\\Web\\IMG1.gif");
  EXPECT_EQ(desktop.clipboard, "./img10.gif");
  Start(Invocation::FileNames({"C:\\Web\\img2.gif", "C:\\Web\\IMG1.gif"}));
  EXPECT_EQ(desktop.clipboard, "./img2.gif");
  EXPECT_EQ(PrintRun(app, services, Invocation::FileNames({"C:\\Web\\img10.gif", "gone.gif"})).text,
            "./img10.gif");

  Store({{"ClipStr", "&f\n"}, {"SeveralFiles", "1"}});
  desktop.clipboard = kSentinel;
  desktop.events.clear();
  EXPECT_EQ(Start("C:\\Web\\img2.gif \"C:\\Web\\img10.gif\" \"C:\\Web\\IMG1.gif"),
            StartupOutcome::kBadCommandLine);
  EXPECT_THAT(Boxes(desktop), ElementsAre(Told(kBadCommandLineMessage, BoxIcon::Critical)));
  const Printed bad = PrintRun(app, services, Invocation::ArgumentText("a.gif \"b.gif"));
  EXPECT_EQ(bad.outcome, StartupOutcome::kBadCommandLine);
  EXPECT_EQ(bad.text, kBadCommandLineMessage);
  ExpectNothingChanged();
}

}  // namespace
}  // namespace tagsmit
