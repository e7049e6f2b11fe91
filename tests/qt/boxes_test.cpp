#include "platform/qt/windows/boxes.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tagsmit::testing {
namespace {

// What a box showed: its owner and its buttons' captions, the default first.
struct BoxSeen {
  QWidget* owner = nullptr;
  QStringList captions;
};

// Once the box is up, notes what it shows and presses `key` in it.
void PressWhenShown(Qt::Key key, BoxSeen& seen) {
  QTimer::singleShot(0, [key, &seen] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    seen.owner = box->parentWidget();
    for (auto* button : box->findChildren<QPushButton*>()) {
      button->isDefault() ? seen.captions.prepend(button->text())
                          : seen.captions.append(button->text());
    }
    QTest::keyClick(box, key);
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
    EXPECT_EQ(ShowMessageBox("?", BoxIcon::Question, buttons, "Tagsmit"), answer);
    EXPECT_EQ(seen.owner, &window);
    EXPECT_EQ(seen.captions, captions);
  }
}

}  // namespace
}  // namespace tagsmit::testing
