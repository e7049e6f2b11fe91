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
  QStringList shown;
  for (int row = 0; row < list->count(); ++row) shown << list->itemText(row);
  EXPECT_EQ(shown, (QStringList{"<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">",
                                "&f\" WIDTH=&w HEIGHT=&h>", " WIDTH=&w HEIGHT=&h"}));
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_FALSE(list->isEditable());
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(app.options.CurClipStr, "&f\" WIDTH=&w HEIGHT=&h>");
  EXPECT_EQ(Find<QLineEdit>("txtBasePath")->text(), QStringLiteral("/home/user/web"));
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(OnTop(window));

  for (const bool relative : {true, false}) {
    if (!relative) QTest::mouseClick(Find<QRadioButton>("optFixed"), Qt::LeftButton);
    EXPECT_EQ(Find<QRadioButton>("optRelative")->isChecked(), relative);
    EXPECT_EQ(Find<QWidget>("txtFixedPath")->isEnabled(), !relative);
    EXPECT_EQ(Find<QWidget>("btnRef")->isEnabled(), relative);
    EXPECT_EQ(Find<QWidget>("txtBasePath")->isEnabled(), relative);
  }
}

TEST_F(QtSettingsWindowTest, EnterAsksAndOkSavesTheTypedPrefix) {
  form.Open();
  QLineEdit* prefix = Find<QLineEdit>("txtFixedPath");
  prefix->selectAll();
  QTest::keyClicks(prefix, QStringLiteral("img/"));
  desktop.answers = {BoxAnswer::No};
  QTest::keyClick(prefix, Qt::Key_Return);
  EXPECT_EQ(desktop.boxes.size(), 1u);  // the question, answered No
  EXPECT_TRUE(window.isVisible());

  QTest::mouseClick(Find<QPushButton>("btnOk"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(store.Get("Tagsmit", "init", "FixedPath"), "img/");
}

TEST_F(QtSettingsWindowTest, EscClosesWithoutAskingOrSaving) {
  form.Open();
  QTest::keyClick(Find<QLineEdit>("txtFixedPath"), Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_TRUE(desktop.boxes.empty());
  EXPECT_EQ(store.saves, 0);
}

// The About window and the picker take the window off the topmost band while
// they are open; Esc closes them and brings it back.
TEST_F(QtSettingsWindowTest, ModalChildrenTakeTheWindowOffTheTopWhileOpen) {
  app.options.RelativePath = 255;
  form.Open();
  for (const auto& [button, title] : {std::pair{"btnVer", "Tagsmitのﾊﾞｰｼﾞｮﾝ情報"},
                                      std::pair{"btnRef", "基準ﾊﾟｽを設定してください"}}) {
    bool was_on_top = true;
    WhenModal([&] {
      was_on_top = OnTop(window);
      QWidget* child = QApplication::activeModalWidget();
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(child->windowTitle(), QString::fromUtf8(title));
      QTest::keyClick(child, Qt::Key_Escape);
    });
    QTest::mouseClick(Find<QWidget>(button), Qt::LeftButton);
    EXPECT_FALSE(was_on_top) << button;
    EXPECT_TRUE(OnTop(window)) << button;
  }
  EXPECT_EQ(Find<QLineEdit>("txtBasePath")->text(), QStringLiteral("/home/user/web"));
}

}  // namespace
}  // namespace tagsmit::testing
