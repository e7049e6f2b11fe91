#include "platform/qt/windows/boxes.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tagsmit::testing {
namespace {

// What a box showed: its owner, its prompt as read out (a label's shortcut
// ampersands and markup taken out) and its buttons' captions, the default first.
struct BoxSeen {
  QWidget* owner = nullptr;
  QString prompt;
  QStringList captions;
};

// Once the box is up, notes what it shows and presses `key` in it.
void PressWhenShown(Qt::Key key, BoxSeen& seen) {
  QTimer::singleShot(0, [key, &seen] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    seen.owner = box->parentWidget();
    for (auto* label : box->findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) {
        seen.prompt = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
      }
    }
    for (auto* button : box->findChildren<QPushButton*>()) {
      button->isDefault() ? seen.captions.prepend(button->text())
                          : seen.captions.append(button->text());
    }
    QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box, key);
  });
}

class QtBoxesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    window.activateWindow();
  }
  QWidget window;
};

// Japanese captions whatever the locale; Enter takes the default, Esc the other.
TEST_F(QtBoxesTest, MessageBoxesBelongToTheActiveWindowAndAnswerInJapanese) {
  const QStringList yes_no{"はい", "いいえ"};
  struct Case {
    BoxButtons buttons;
    Qt::Key key;
    BoxAnswer answer;
    QStringList captions;
  };
  for (const auto& [buttons, key, answer, captions] :
       {Case{BoxButtons::YesNo, Qt::Key_Return, BoxAnswer::Yes, yes_no},
        Case{BoxButtons::YesNo, Qt::Key_Escape, BoxAnswer::No, yes_no},
        Case{BoxButtons::Ok, Qt::Key_Return, BoxAnswer::Ok, {"OK"}},
        Case{BoxButtons::Ok, Qt::Key_Escape, BoxAnswer::Ok, {"OK"}}}) {
    BoxSeen seen;
    PressWhenShown(key, seen);
    EXPECT_EQ(ShowMessageBox("<b>&w</b>", BoxIcon::Question, buttons, "Tagsmit"), answer);
    EXPECT_EQ(seen.owner, &window);
    EXPECT_EQ(seen.prompt, "<b>&w</b>");
    EXPECT_EQ(seen.captions, captions);
  }
}

// The prompt tells the user to type "&w" and "&h": they must show as given.
TEST_F(QtBoxesTest, InputBoxShowsItsPromptAsGivenAndCancelGivesEmptyText) {
  for (const auto& [key, answer] :
       {std::pair{Qt::Key_Return, "&w&h"}, std::pair{Qt::Key_Escape, ""}}) {
    BoxSeen seen;
    PressWhenShown(key, seen);
    EXPECT_EQ(ShowInputBox("幅 &w\r\n高さ &h", "Tagsmit 入力", "&w&h"), answer);
    EXPECT_EQ(seen.owner, &window);
    EXPECT_EQ(seen.prompt, "幅 &w\n高さ &h");
    EXPECT_EQ(seen.captions, (QStringList{"OK", "キャンセル"}));
  }
}

}  // namespace
}  // namespace tagsmit::testing
