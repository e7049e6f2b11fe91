#include "platform/qt/windows/about_dialog.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace tagsmit::testing {
namespace {

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
    EXPECT_EQ(description->document()->blockCount(), 2);  // CR LF is one break
    EXPECT_FALSE(shown.findChild<QLabel*>("picIcon")->pixmap().isNull());
    QTest::mouseClick(shown.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
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
