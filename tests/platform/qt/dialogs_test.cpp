// The message and input boxes and the About window: the real widgets.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <tuple>
#include <utility>
#include <vector>

#include "platform/qt/views/about_dialog.h"
#include "platform/qt/views/boxes.h"

namespace tagsmit::testing {
namespace {

// Once a box is up, expects it to belong to `owner` and to show `prompt` as
// read out (shortcut ampersands and markup taken out) and the `captions`, the
// default button's first; then presses `key` with `modifiers` in it.
void ExpectBox(QWidget& owner, const QString& prompt, const QStringList& captions, Qt::Key key,
               Qt::KeyboardModifiers modifiers = {}) {
  QTimer::singleShot(0, [&owner, prompt, captions, key, modifiers] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), &owner);
    for (auto* label : box->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;  // the icon
      EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), prompt);
    }
    QStringList shown;
    for (auto* button : box->findChildren<QPushButton*>()) {
      button->isDefault() ? shown.prepend(button->text()) : shown.append(button->text());
    }
    EXPECT_EQ(shown, captions);
    // Shortcuts answer in the active window only.
    box->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(box));
    QTest::keyClick(box, key, modifiers);
    QTimer::singleShot(3000, box, [box] {
      ADD_FAILURE() << "the key left the box open";
      static_cast<QDialog*>(box)->reject();
    });
  });
}

// Japanese buttons whatever the locale, as a Japanese Windows labels them:
// Enter takes the default, Esc No or Cancel, which gives the empty text; Y
// and N answer with or without Alt. Prompts show as given: the input box's
// tells the user to type "&w" and "&h".
TEST(QtBoxesTest, BoxesShowThePromptAsGivenWithJapaneseButtons) {
  QWidget window;
  window.show();
  using Case = std::tuple<BoxButtons, Qt::Key, Qt::KeyboardModifiers, BoxAnswer>;
  for (const auto& [buttons, key, modifiers, answer] :
       {Case{BoxButtons::YesNo, Qt::Key_Return, {}, BoxAnswer::Yes},
        Case{BoxButtons::YesNo, Qt::Key_Escape, {}, BoxAnswer::No},
        Case{BoxButtons::YesNo, Qt::Key_N, {}, BoxAnswer::No},
        Case{BoxButtons::YesNo, Qt::Key_Y, Qt::AltModifier, BoxAnswer::Yes},
        Case{BoxButtons::Ok, Qt::Key_Return, {}, BoxAnswer::Ok},
        Case{BoxButtons::Ok, Qt::Key_Escape, {}, BoxAnswer::Ok}}) {
    const bool ok = buttons == BoxButtons::Ok;
    ExpectBox(window, "<b>&w</b>", ok ? QStringList{"OK"} : QStringList{"はい(&Y)", "いいえ(&N)"},
              key, modifiers);
    EXPECT_EQ(ShowMessageBox("<b>&w</b>", BoxIcon::Question, buttons, "Tagsmit"), answer);
  }
  for (const auto& [key, answer] :
       {std::pair{Qt::Key_Return, "&w&h"}, std::pair{Qt::Key_Escape, ""}}) {
    ExpectBox(window, "幅 &w\n高さ &h", {"OK", "キャンセル"}, key);
    EXPECT_EQ(ShowInputBox("幅 &w\n高さ &h", "Tagsmit 入力", "&w&h"), answer);
  }
}

// Opens the About window; `user` acts once it runs. True when the window
// closed and put its owner back on top.
bool RunAbout(const std::function<void(AboutDialog&)>& user) {
  struct Owner : WindowView {
    void SetStaysOnTop(bool on_top) override { on_top_calls.push_back(on_top); }
    void Close() override {}
    std::vector<bool> on_top_calls;
  } owner;
  AboutDialog dialog{nullptr};
  AboutForm form{dialog, owner, {"Tagsmit", 1, 1, 5}};
  QTimer::singleShot(0, [&] { user(dialog); });
  form.Open();
  return !dialog.isVisible() && owner.on_top_calls == std::vector<bool>{true};
}

TEST(QtAboutDialogTest, ShowsTheTextsWithABoldTwelvePointTitleAndOkCloses) {
  EXPECT_TRUE(RunAbout([](AboutDialog& shown) {
    auto* title = shown.findChild<QLabel*>("lblTitle");
    EXPECT_EQ(title->text(), QString::fromUtf8("Tagsmit　（ﾀｸﾞｽﾐｯﾄ）"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->font().pointSize(), 12);
    EXPECT_EQ(shown.findChild<QLabel*>("lblVersion")->text(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ 1.1.5"));
    auto* description = shown.findChild<QPlainTextEdit*>("txtDescription");
    EXPECT_TRUE(description->isReadOnly());
    EXPECT_EQ(description->document()->blockCount(), 2);  // the line feed after the thanks
    EXPECT_FALSE(shown.findChild<QLabel*>("picIcon")->pixmap().isNull());
    QTest::mouseClick(shown.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  }));
}

// Nothing touches in the font the window is drawn in: no two controls
// overlap, a label measured by the room its text takes. The suite runs this
// at 96 dpi and, with TAGSMIT_SCREEN_DPI naming the screen's, at 144 and 192.
TEST(QtAboutDialogTest, NothingTouchesInTheMeasuredFont) {
  EXPECT_TRUE(RunAbout([](AboutDialog& shown) {
    if (const QByteArray dpi = qgetenv("TAGSMIT_SCREEN_DPI"); !dpi.isEmpty()) {
      EXPECT_EQ(shown.screen()->logicalDotsPerInch(), dpi.toDouble());
    }
    std::vector<std::pair<QString, QRect>> measured;
    for (QWidget* control : shown.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const auto* label = qobject_cast<QLabel*>(control);
      measured.emplace_back(control->objectName(), label != nullptr
                                                       ? QRect(label->pos(), label->sizeHint())
                                                       : control->geometry());
    }
    for (std::size_t a = 0; a < measured.size(); ++a) {
      for (std::size_t b = a + 1; b < measured.size(); ++b) {
        EXPECT_FALSE(measured[a].second.intersects(measured[b].second))
            << measured[a].first.toStdString() << " and " << measured[b].first.toStdString();
      }
    }
    QTest::keyClick(&shown, Qt::Key_Escape);
  }));
}

TEST(QtAboutDialogTest, EnterEscAndAClickOnTheBackgroundButNotOnALabelClose) {
  const std::function<void(AboutDialog&)> closings[] = {
      [](AboutDialog& shown) { QTest::keyClick(&shown, Qt::Key_Return); },
      [](AboutDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); },
      [](AboutDialog& shown) {
        QTest::mouseClick(shown.findChild<QLabel*>("lblVersion"), Qt::LeftButton);
        QTest::mouseClick(shown.findChild<QLabel*>("picIcon"), Qt::LeftButton);
        EXPECT_TRUE(shown.isVisible());
        QTest::mouseClick(&shown, Qt::LeftButton, {}, QPoint(5, shown.height() - 5));
      }};
  for (const auto& closing : closings) EXPECT_TRUE(RunAbout(closing));
}

}  // namespace
}  // namespace tagsmit::testing
