#include "platform/qt/views/settings_window.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "fake_file_system.h"
#include "memory_settings_store.h"
#include "platform/qt/views/dir_picker_dialog.h"
#include "run/settings_load_save.h"
#include "scripted_desktop.h"
#include "settings_window/settings_controls.h"

namespace tagsmit::testing {
namespace {

using enum SettingsControl;

// The real settings window over fake services with the first-start defaults.
class QtSettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddDirectory("/home/user/web/img");
    fs.AddDirectory("/home/user/web/css");
    fs.ChangeDirectory("/home/user/web");
    SetDefaults(app.options, desktop.identity);
    LoadSettings(app, services);
    window.Bind(form);
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  bool OnTop() { return window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); }

  FakeFileSystem fs{PathStyle::Posix};
  ScriptedDesktop desktop;
  MemorySettingsStore store;
  Services services{fs, desktop, store};
  AppState app;
  SettingsWindow window;
  MainForm form{window, app, services};
};

QStringList Rows(const QAbstractItemModel& model) {
  QStringList rows;
  for (int row = 0; row < model.rowCount(); ++row) rows << model.index(row, 0).data().toString();
  return rows;
}

// The window holds the table's controls and nothing else, each with its
// caption and tooltip, and Tab walks them in the table's order.
TEST_F(QtSettingsWindowTest, EveryControlShowsItsCaptionAndTooltipInTabOrder) {
  const auto children = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  EXPECT_EQ(children.size(), static_cast<qsizetype>(kSettingsWindow.controls.size()));
  for (const auto& spec : kSettingsWindow.controls) {
    QWidget* widget = Find<QWidget>(spec.look.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->toolTip(), QString::fromUtf8(spec.look.tooltip)) << spec.look.name;
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) caption = frame->title();
    EXPECT_EQ(caption, QString::fromUtf8(spec.look.caption)) << spec.look.name;
  }
  // The label shows each "&&" as one ampersand because it has a buddy.
  EXPECT_EQ(Find<QLabel>("Label1")->buddy(), Find<QComboBox>("cmbClipStr"));
  QList<QWidget*> expected, chain;
  for (SettingsControl control : kSettingsWindow.TabOrder()) expected << window.Control(control);
  QWidget* widget = expected.front();
  do {
    if (widget->parent() == &window && (widget->focusPolicy() & Qt::TabFocus)) chain << widget;
    widget = widget->nextInFocusChain();
  } while (widget != expected.front());
  EXPECT_EQ(chain, expected);
}

// As in a Windows dialog, the focus starts on the chosen mode, so that Space
// does not change it.
TEST_F(QtSettingsWindowTest, OpensWithTheFocusOnTheCheckedOption) {
  for (const int relative : {0, 255}) {
    app.options.RelativePath = static_cast<std::uint8_t>(relative);
    form.Open();
    EXPECT_EQ(window.focusWidget(), Find<QRadioButton>(relative ? "optRelative" : "optFixed"));
  }
}

TEST_F(QtSettingsWindowTest, ListModeAndTypedTextGoBothWaysBetweenWidgetsAndLogic) {
  app.options.RelativePath = 255;
  form.Open();
  auto* list = Find<QComboBox>("cmbClipStr");
  EXPECT_EQ(Rows(*list->model()), (QStringList{"<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">",
                                               "&f\" WIDTH=&w HEIGHT=&h>", " WIDTH=&w HEIGHT=&h"}));
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_FALSE(list->isEditable());
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(app.options.CurClipStr, "&f\" WIDTH=&w HEIGHT=&h>");

  for (const bool relative : {true, false}) {
    if (!relative) QTest::mouseClick(Find<QRadioButton>("optFixed"), Qt::LeftButton);
    EXPECT_EQ(Find<QRadioButton>("optRelative")->isChecked(), relative);
    EXPECT_EQ(Find<QWidget>("txtFixedPath")->isEnabled(), !relative);
  }
  QTest::keyClicks(Find<QLineEdit>("txtFixedPath"), QStringLiteral("img/"));
  EXPECT_EQ(window.Text(txtFixedPath), "./img/");  // as typed, for OK to save
}

// The switches added under the first two of the run-time frame show their
// captions whole, and OK saves them.
TEST_F(QtSettingsWindowTest, AddedSwitchesFitTheirCaptionsAndOkSavesThem) {
  const std::pair<const char*, const char*> switches[] = {{"MoreFormats", "chkMoreFormats"},
                                                          {"DisplaySize", "chkDisplaySize"},
                                                          {"DensitySize", "chkDensitySize"},
                                                          {"SrcSet", "chkSrcSet"},
                                                          {"SeveralFiles", "chkSeveralFiles"}};
  form.Open();
  for (const auto& [key, name] : switches) {
    auto* box = Find<QCheckBox>(name);
    ASSERT_NE(box, nullptr);
    EXPECT_GE(box->width(), box->sizeHint().width()) << name;
    QTest::mouseClick(box, Qt::LeftButton);
  }
  QTest::mouseClick(Find<QPushButton>("btnOk"), Qt::LeftButton);
  for (const auto& [key, name] : switches) EXPECT_EQ(store.Get("Tagsmit", "init", key), "1") << key;
}

TEST_F(QtSettingsWindowTest, AboutTakesTheWindowOffTheTopmostBandWhileOpen) {
  form.Open();
  bool was_on_top = true;
  QTimer::singleShot(0, [&] {  // once the About window runs
    was_on_top = OnTop();
    QWidget* about = QApplication::activeModalWidget();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QString::fromUtf8("Tagsmitのﾊﾞｰｼﾞｮﾝ情報"));
    QTest::keyClick(about, Qt::Key_Escape);
  });
  QTest::mouseClick(Find<QWidget>("btnVer"), Qt::LeftButton);
  EXPECT_FALSE(was_on_top);
  EXPECT_TRUE(OnTop());
}

// The picker lists the ancestors above the current directory and its
// subdirectories below. A double click or Space in the list opens an entry, a
// click only highlights one; Enter is OK everywhere. Choosing the drive shown
// again is no change.
TEST_F(QtSettingsWindowTest, PickerOpensOnDoubleClickOrSpaceAndEnterIsOk) {
  app.options.RelativePath = 255;
  form.Open();
  QTimer::singleShot(0, [] {
    auto* picker = dynamic_cast<DirPickerDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8("基準ﾊﾟｽを設定してください"));
    QListWidget& list = *picker->findChild<QListWidget*>("dirListBox");
    EXPECT_EQ(Rows(*list.model()), (QStringList{"/", "home", "user", "web", "css", "img"}));
    EXPECT_EQ(list.currentRow(), 3);
    QComboBox& drives = *picker->findChild<QComboBox*>("drvListBox");
    EXPECT_EQ(drives.currentText(), QStringLiteral("/"));
    EXPECT_EQ(picker->focusWidget(), &drives);

    list.setCurrentRow(5);  // img
    const QPoint img = list.visualItemRect(list.currentItem()).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, img);
    EXPECT_EQ(list.count(), 6);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, img);
    EXPECT_EQ(Rows(*list.model()), (QStringList{"/", "home", "user", "web", "img"}));

    list.setFocus();
    list.setCurrentRow(2);  // user
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_EQ(Rows(*list.model()), (QStringList{"/", "home", "user", "web"}));
    drives.showPopup();
    QTest::keyClick(drives.view(), Qt::Key_Return);  // "/" again
    list.setCurrentRow(3);                           // web, highlighted only
    QTest::keyClick(&list, Qt::Key_Return);
    if (picker->isVisible()) picker->reject();  // Enter did not press OK
  });
  QTest::mouseClick(Find<QWidget>("btnRef"), Qt::LeftButton);
  EXPECT_EQ(Find<QLineEdit>("txtBasePath")->text(), QStringLiteral("/home/user"));
}

}  // namespace
}  // namespace tagsmit::testing
