#include "platform/qt/windows/dir_picker_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "qt_fixture.h"

namespace tagsmit::testing {
namespace {

class QtDirPickerTest : public QtSettingsWindowTest {
 protected:
  // Opens the picker from the settings window; `user` acts once it runs.
  void Browse(std::function<void(DirPickerDialog&)> user) {
    WhenModal([user] {
      auto* picker = dynamic_cast<DirPickerDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(picker, nullptr);
      user(*picker);
    });
    form.btnRef_Click();
  }

  static void Highlight(QListWidget* list, const char* name) {
    const auto found = list->findItems(QString::fromLatin1(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found.front());
  }
};

TEST_F(QtDirPickerTest, ListsAncestorsAboveAndSubdirectoriesBelow) {
  app.options.BasePath = "/home/user/web";
  form.Open();
  Browse([](DirPickerDialog& picker) {
    QListWidget* list = picker.DirectoryList();
    QStringList names;
    for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
    EXPECT_EQ(names, (QStringList{"/", "home", "user", "web", "css", "img"}));
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(picker.DriveList()->currentText(), QStringLiteral("/"));
    EXPECT_TRUE(picker.findChild<QPushButton*>("Command1")->isDefault());
    QTest::keyClick(&picker, Qt::Key_Escape);
  });
  EXPECT_EQ(app.options.BasePath, "/home/user/web");
}

TEST_F(QtDirPickerTest, DoubleClickOpensAndOkTakesTheOpenedDirectory) {
  form.Open();
  Browse([](DirPickerDialog& picker) {
    QListWidget* list = picker.DirectoryList();
    Highlight(list, "img");
    // A real double click: press and release, then the second press.
    const QPoint img = list->visualItemRect(list->currentItem()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, img);
    EXPECT_EQ(list->count(), 6);  // a single click only highlights
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, img);
    Highlight(list, "user");  // highlighted only
    QTest::mouseClick(picker.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  });
  EXPECT_EQ(app.options.BasePath, "/home/user/web/img");
  EXPECT_EQ(window.findChild<QLineEdit*>("txtBasePath")->text(),
            QStringLiteral("/home/user/web/img"));
}

TEST_F(QtDirPickerTest, EnterOpensInTheListAndPressesOkElsewhere) {
  form.Open();
  Browse([](DirPickerDialog& picker) {
    QListWidget* list = picker.DirectoryList();
    list->setFocus();
    Highlight(list, "css");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(picker.isVisible());
    QTest::keyClick(picker.DriveList(), Qt::Key_Return);
  });
  EXPECT_EQ(app.options.BasePath, "/home/user/web/css");
}

}  // namespace
}  // namespace tagsmit::testing
