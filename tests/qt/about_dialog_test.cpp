#include "platform/qt/windows/about_dialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include "qt_fixture.h"

namespace tagsmit::testing {
namespace {

// The settings window as the About window sees it.
class Owner : public WindowView {
 public:
  void SetStaysOnTop(bool on_top) override { on_top_calls.push_back(on_top); }
  void Close() override {}
  std::vector<bool> on_top_calls;
};

class QtAboutDialogTest : public ::testing::Test {
 protected:
  // Opens the window; `user` acts once it runs. True when it closed.
  bool Run(std::function<void(AboutDialog&)> user) {
    WhenModal([this, user] { user(dialog); });
    form.Open();
    return !dialog.isVisible() && owner.on_top_calls == std::vector<bool>{true};
  }

  Owner owner;
  AboutDialog dialog{nullptr};
  AboutForm form{dialog, owner, {"Tagsmit", 1, 1, 5}};
};

TEST_F(QtAboutDialogTest, ShowsTheTextsWithABoldTwelvePointTitle) {
  EXPECT_TRUE(Run([](AboutDialog& shown) {
    auto* title = shown.findChild<QLabel*>("lblTitle");
    EXPECT_EQ(title->text(), QString::fromUtf8("Tagsmit　（ﾀｸﾞｽﾐｯﾄ）"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->font().pointSize(), 12);
    EXPECT_EQ(shown.findChild<QLabel*>("lblVersion")->text(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ 1.1.5"));
    auto* description = shown.findChild<QPlainTextEdit*>("txtDescription");
    EXPECT_TRUE(description->isReadOnly());
    // The line break is one paragraph break, not two.
    EXPECT_EQ(description->document()->blockCount(), 2);
    EXPECT_FALSE(shown.findChild<QLabel*>("picIcon")->pixmap().isNull());
    QTest::mouseClick(shown.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  }));
}

TEST_F(QtAboutDialogTest, EnterCloses) {
  EXPECT_TRUE(Run([](AboutDialog& shown) { QTest::keyClick(&shown, Qt::Key_Return); }));
}

TEST_F(QtAboutDialogTest, EscCloses) {
  EXPECT_TRUE(Run([](AboutDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); }));
}

TEST_F(QtAboutDialogTest, ClickOnTheBackgroundClosesButNotOnALabel) {
  EXPECT_TRUE(Run([](AboutDialog& shown) {
    QTest::mouseClick(shown.findChild<QLabel*>("lblVersion"), Qt::LeftButton);
    QTest::mouseClick(shown.findChild<QLabel*>("picIcon"), Qt::LeftButton);
    EXPECT_TRUE(shown.isVisible());
    QTest::mouseClick(&shown, Qt::LeftButton, {}, QPoint(5, shown.height() - 5));
  }));
}

}  // namespace
}  // namespace tagsmit::testing
