#include "platform/qt/windows/boxes.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <tuple>

namespace tagsmit::testing {
namespace {

// Once a box is up, expects it to belong to `owner` and to show `prompt` as
// read out (shortcut ampersands and markup taken out) and the `captions`, the
// default button's first; then presses `key` in it.
void ExpectBox(QWidget& owner, const QString& prompt, const QStringList& captions, Qt::Key key) {
  QTimer::singleShot(0, [&owner, prompt, captions, key] {
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
    QTest::keyClick(box, key);
  });
}

// Japanese buttons whatever the locale: Enter takes the default, Esc No or
// Cancel, which gives the empty text. Prompts show as given: the input box's
// tells the user to type "&w" and "&h".
TEST(QtBoxesTest, BoxesShowThePromptAsGivenWithJapaneseButtons) {
  QWidget window;
  window.show();
  using Case = std::tuple<BoxButtons, Qt::Key, BoxAnswer>;
  for (const auto& [buttons, key, answer] :
       {Case{BoxButtons::YesNo, Qt::Key_Return, BoxAnswer::Yes},
        Case{BoxButtons::YesNo, Qt::Key_Escape, BoxAnswer::No},
        Case{BoxButtons::Ok, Qt::Key_Return, BoxAnswer::Ok},
        Case{BoxButtons::Ok, Qt::Key_Escape, BoxAnswer::Ok}}) {
    const bool ok = buttons == BoxButtons::Ok;
    ExpectBox(window, "<b>&w</b>", ok ? QStringList{"OK"} : QStringList{"はい", "いいえ"}, key);
    EXPECT_EQ(ShowMessageBox("<b>&w</b>", BoxIcon::Question, buttons, "Tagsmit"), answer);
  }
  for (const auto& [key, answer] :
       {std::pair{Qt::Key_Return, "&w&h"}, std::pair{Qt::Key_Escape, ""}}) {
    ExpectBox(window, "幅 &w\n高さ &h", {"OK", "キャンセル"}, key);
    EXPECT_EQ(ShowInputBox("幅 &w\r\n高さ &h", "Tagsmit 入力", "&w&h"), answer);
  }
}

}  // namespace
}  // namespace tagsmit::testing
