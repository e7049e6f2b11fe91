// The Windows desktop services that run without a person: the clipboard, the
// lower-case mapping, and the boxes answered from another thread.
#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

namespace tagsmit::testing {
namespace {

// What another program reads from the clipboard.
std::wstring RawClipboardText() {
  if (!OpenClipboard(nullptr)) return L"(not open)";
  std::wstring text;
  if (const HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return text;
}

// Another program that keeps the clipboard open for `held`, from the moment
// the constructor returns.
class ClipboardHolder {
 public:
  explicit ClipboardHolder(std::chrono::milliseconds held) {
    std::promise<bool> opened;
    std::future<bool> is_open = opened.get_future();
    thread_ = std::thread([held, &opened] {
      const bool open = OpenClipboard(nullptr) != FALSE;
      opened.set_value(open);
      std::this_thread::sleep_for(held);
      if (open) CloseClipboard();
    });
    open_ = is_open.get();
  }
  ~ClipboardHolder() { thread_.join(); }
  bool open() const { return open_; }

 private:
  std::thread thread_;
  bool open_ = false;
};

TEST(Win32ClipboardTest, TextCrossesWholeAsOtherProgramsReadIt) {
  Win32Desktop desktop;
  // Japanese, half-width kana, a character beyond U+FFFF, line breaks.
  const std::string text = "<IMG SRC=\"./画像/ﾛｺﾞ.gif\">\n\xF0\xA0\xAE\xB7野家\n";
  ASSERT_TRUE(desktop.SetClipboardText(text).ok());
  EXPECT_EQ(RawClipboardText(),
            L"<IMG SRC=\"./\u753B\u50CF/\uFF9B\uFF7A\uFF9E.gif\">\r\n"
            L"\xD842\xDFB7\u91CE\u5BB6\r\n");
  const Result<std::string> back = desktop.ClipboardText();
  ASSERT_TRUE(back.ok()) << back.error();
  EXPECT_EQ(back.value(), text);
}

TEST(Win32ClipboardTest, WaitsForAMomentaryHolderAndNamesOneThatStays) {
  Win32Desktop desktop;
  {
    const ClipboardHolder holder(std::chrono::milliseconds(300));
    ASSERT_TRUE(holder.open());
    const Status put = desktop.SetClipboardText("after the wait");
    EXPECT_TRUE(put.ok()) << put.error();
  }
  EXPECT_EQ(RawClipboardText(), L"after the wait");
  {
    const ClipboardHolder holder(std::chrono::milliseconds(3000));
    ASSERT_TRUE(holder.open());
    const Status put = desktop.SetClipboardText("never placed");
    ASSERT_FALSE(put.ok());
    EXPECT_EQ(put.error(),
              "ほかのプログラムがクリップボードを使用中です（アクセスが拒否されました）");
    EXPECT_FALSE(desktop.ClipboardText().ok());
  }
  EXPECT_EQ(RawClipboardText(), L"after the wait");
}

TEST(Win32DesktopTest, LowerCasesLettersOfEveryScriptAndNothingElse) {
  Win32Desktop desktop;
  EXPECT_EQ(desktop.ToLower("C:\\WEB\\ÄÖÜ ΑΒΓ ДЖ Ｆｕｌｌ\\ﾛｺﾞ 画像 \xF0\xA0\xAE\xB7.GIF"),
            "c:\\web\\äöü αβγ дж ｆｕｌｌ\\ﾛｺﾞ 画像 \xF0\xA0\xAE\xB7.gif");
  EXPECT_EQ(desktop.ToLower(""), "");
}

TEST(Win32DesktopTest, WarningsGoToTheStandardErrorTheCallerHandedOver) {
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  const HANDLE before = GetStdHandle(STD_ERROR_HANDLE);
  SetStdHandle(STD_ERROR_HANDLE, write_end);
  Win32Desktop().Warn("設定を初期化できませんでした。\nC:\\a");
  SetStdHandle(STD_ERROR_HANDLE, before);
  std::string written(100, '\0');
  DWORD length = 0;
  ReadFile(read_end, written.data(), 100, &length, nullptr);
  written.resize(length);
  EXPECT_EQ(written, "設定を初期化できませんでした。\r\nC:\\a\r\n");
  CloseHandle(read_end);
  CloseHandle(write_end);
}

// Shows the input box and, from another thread, waits for it and hands its
// prompt control, edit field and the box to `act`.
std::string AnswerInputBox(const std::string& prompt, const std::string& default_text,
                           const std::function<void(HWND box, HWND prompt, HWND edit)>& act) {
  const wchar_t* title = L"Tagsmit \u5165\u529B";  // 入力
  std::thread user([&] {
    HWND box = nullptr;
    for (int i = 0; i < 1000 && box == nullptr; ++i, Sleep(10)) {
      box = FindWindowW(L"#32770", title);
    }
    ASSERT_NE(box, nullptr) << "no input box";
    act(box, FindWindowExW(box, nullptr, L"Static", nullptr),
        FindWindowExW(box, nullptr, L"Edit", nullptr));
  });
  Win32Desktop desktop;
  const std::string answer = desktop.InputBox(prompt, "Tagsmit 入力", default_text);
  user.join();
  return answer;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), std::ssize(text))));
  return text;
}

TEST(Win32InputBoxTest, EnterAnswersTheEditedTextAndEscapeNothing) {
  // Under Wine, windows need an X display.
  const HWND probe =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (probe == nullptr) GTEST_SKIP() << "no windows without a display";
  DestroyWindow(probe);

  const std::string answer = AnswerInputBox(
      "貼り付け文字列を入力してください\n\n    幅 ... &w", "<IMG &w &h>",
      [](HWND, HWND prompt, HWND edit) {
        EXPECT_EQ(TextOf(prompt),
                  L"\u8CBC\u308A\u4ED8\u3051\u6587\u5B57\u5217\u3092\u5165\u529B"
                  L"\u3057\u3066\u304F\u3060\u3055\u3044\r\n\r\n    \u5E45 ... &w");
        // The "&w" shows as typed, not as an underlined w.
        EXPECT_TRUE(GetWindowLongPtrW(prompt, GWL_STYLE) & SS_NOPREFIX);
        EXPECT_EQ(TextOf(edit), L"<IMG &w &h>");
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"<A &w &h>\u753B"));
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
      });
  EXPECT_EQ(answer, "<A &w &h>画");

  EXPECT_EQ(
      AnswerInputBox("p", "kept",
                     [](HWND, HWND, HWND edit) { PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0); }),
      "");
  EXPECT_EQ(AnswerInputBox("p", "kept",
                           [](HWND box, HWND, HWND) {
                             PostMessageW(box, WM_COMMAND, IDOK, 0);  // the OK button
                           }),
            "kept");
}

// As on a Japanese Windows: the keys Y and N answer, named on the buttons.
TEST(Win32MsgBoxTest, ButtonsAreJapaneseAndTheKeysYAndNAnswer) {
  const HWND probe =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (probe == nullptr) GTEST_SKIP() << "no windows without a display";
  DestroyWindow(probe);

  for (const WPARAM key : {'N', 'Y'}) {
    std::thread user([key] {
      HWND box = nullptr;
      for (int i = 0; i < 1000 && box == nullptr; ++i, Sleep(10)) {
        box = FindWindowW(L"#32770", L"Tagsmit");
      }
      ASSERT_NE(box, nullptr) << "no message box";
      EXPECT_EQ(TextOf(GetDlgItem(box, IDYES)), L"\u306F\u3044(&Y)");       // はい
      EXPECT_EQ(TextOf(GetDlgItem(box, IDNO)), L"\u3044\u3044\u3048(&N)");  // いいえ
      const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
      PostMessageW(GetDlgItem(box, IDYES), WM_KEYDOWN, key, scan | 1);
      for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(10);
      if (IsWindow(box)) {
        ADD_FAILURE() << "the key " << static_cast<char>(key) << " left the box open";
        PostMessageW(box, WM_COMMAND, IDNO, 0);
      }
    });
    Win32Desktop desktop;
    const BoxAnswer answer = desktop.MsgBox("\u4FDD\u5B58\u3057\u307E\u3059\u304B?",
                                            BoxIcon::Question, BoxButtons::YesNo, "Tagsmit");
    user.join();
    EXPECT_EQ(answer, key == 'Y' ? BoxAnswer::Yes : BoxAnswer::No);
  }
}

}  // namespace
}  // namespace tagsmit::testing
