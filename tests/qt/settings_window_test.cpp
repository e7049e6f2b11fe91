#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "qt_fixture.h"
#include "settings/settings_controls.h"

namespace tagsmit::testing {
namespace {

using enum SettingsControl;

bool OnTop(QWidget& widget) {
  return widget.windowHandle() != nullptr &&
         widget.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

TEST_F(QtSettingsWindowTest, EveryControlShowsItsCaptionAndTooltip) {
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Tagsmit 設定"));
  for (int index = 0; index < kSettingsControlCount; ++index) {
    const ControlSpec& spec = SettingsControlSpec(static_cast<SettingsControl>(index));
    QWidget* widget = Find<QWidget>(spec.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->toolTip(), QString::fromUtf8(spec.tooltip)) << spec.name;
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) caption = frame->title();
    EXPECT_EQ(caption, QString::fromUtf8(spec.caption)) << spec.name;
  }
  // The label shows each "&&" as one ampersand because it has a buddy.
  EXPECT_EQ(Find<QLabel>("Label1")->buddy(), Find<QComboBox>("cmbClipStr"));
}

TEST_F(QtSettingsWindowTest, ControlsStandAtTheirPlacesAndInTabOrder) {
  const int dpi = static_cast<int>(window.screen()->logicalDotsPerInch());
  EXPECT_EQ(window.width(), (6555 * dpi + 720) / 1440);
  const QRect ok = Find<QWidget>("btnOk")->geometry();
  EXPECT_EQ(ok.left(), (3480 * dpi + 720) / 1440);
  EXPECT_EQ(ok.top(), (3000 * dpi + 720) / 1440);
  EXPECT_EQ(Find<QWidget>("optRelative")->nextInFocusChain(), Find<QWidget>("optFixed"));
  EXPECT_EQ(Find<QWidget>("btnCancel")->nextInFocusChain(), Find<QWidget>("btnOk"));
}

TEST_F(QtSettingsWindowTest, OpeningShowsTheListInOrderAndTheModeStates) {
  app.options.RelativePath = 255;
  form.Open();
  auto* list = Find<QComboBox>("cmbClipStr");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->itemText(0), QString::fromUtf8("<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">"));
  EXPECT_EQ(list->itemText(1), QString::fromUtf8("&f\" WIDTH=&w HEIGHT=&h>"));
  EXPECT_EQ(list->itemText(2), QString::fromUtf8(" WIDTH=&w HEIGHT=&h"));
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_FALSE(list->isEditable());

  EXPECT_TRUE(Find<QRadioButton>("optRelative")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("optFixed")->isChecked());
  EXPECT_FALSE(Find<QWidget>("txtFixedPath")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("btnRef")->isEnabled());
  EXPECT_EQ(Find<QLineEdit>("txtBasePath")->text(), QString::fromUtf8("/home/user/web"));
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(OnTop(window));

  QTest::mouseClick(Find<QRadioButton>("optFixed"), Qt::LeftButton);
  EXPECT_FALSE(Find<QRadioButton>("optRelative")->isChecked());
  EXPECT_TRUE(Find<QWidget>("txtFixedPath")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("btnRef")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("txtBasePath")->isEnabled());
}

TEST_F(QtSettingsWindowTest, ChoosingAnotherEntryMakesItTheCurrentString) {
  form.Open();
  auto* list = Find<QComboBox>("cmbClipStr");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(app.options.CurClipStr, "&f\" WIDTH=&w HEIGHT=&h>");
}

TEST_F(QtSettingsWindowTest, EnterPressesOkAndEscPressesCancel) {
  form.Open();
  EXPECT_TRUE(Find<QPushButton>("btnOk")->isDefault());

  desktop.answers = {BoxAnswer::No};
  QTest::keyClick(Find<QLineEdit>("txtFixedPath"), Qt::Key_Return);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].prompt, "設定を保存し終了します。よろしいですか？");
  EXPECT_TRUE(window.isVisible());

  QTest::keyClick(Find<QLineEdit>("txtFixedPath"), Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(store.saves, 0);
}

TEST_F(QtSettingsWindowTest, OkSavesTheTypedPrefixAndCloses) {
  form.Open();
  QLineEdit* prefix = Find<QLineEdit>("txtFixedPath");
  prefix->selectAll();
  QTest::keyClicks(prefix, QStringLiteral("img/"));
  QTest::mouseClick(Find<QPushButton>("btnOk"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(store.Get("Tagsmit", "init", "FixedPath"), "img/");
}

TEST_F(QtSettingsWindowTest, AboutTakesTheWindowOffTheTopAndEscBringsItBack) {
  form.Open();
  bool was_on_top = true;
  WhenModal([&] {
    was_on_top = OnTop(window);
    QWidget* about = QApplication::activeModalWidget();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QString::fromUtf8("Tagsmitのﾊﾞｰｼﾞｮﾝ情報"));
    QTest::keyClick(about, Qt::Key_Escape);
  });
  QTest::mouseClick(Find<QWidget>("btnVer"), Qt::LeftButton);
  EXPECT_FALSE(was_on_top);
  EXPECT_TRUE(OnTop(window));
  EXPECT_TRUE(window.isVisible());
}

TEST_F(QtSettingsWindowTest, PickerOkWritesTheOpenedDirectoryIntoTheBaseBox) {
  app.options.RelativePath = 255;
  form.Open();
  WhenModal([&] {
    QWidget* picker = QApplication::activeModalWidget();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8("基準ﾊﾟｽを設定してください"));
    QTest::keyClick(picker, Qt::Key_Escape);
  });
  QTest::mouseClick(Find<QWidget>("btnRef"), Qt::LeftButton);
  EXPECT_TRUE(OnTop(window));
  EXPECT_EQ(Find<QLineEdit>("txtBasePath")->text(), QString::fromUtf8("/home/user/web"));
}

}  // namespace
}  // namespace tagsmit::testing
