#include "platform/qt/windows/dir_picker_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "qt_fixture.h"

namespace tagsmit::testing {
namespace {

QStringList Names(const QListWidget& list) {
  QStringList names;
  for (int row = 0; row < list.count(); ++row) names << list.item(row)->text();
  return names;
}

void Highlight(QListWidget& list, const char* name) {
  const auto found = list.findItems(QString::fromLatin1(name), Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  list.setCurrentItem(found.front());
}

// The list shows the ancestors above the current directory and its
// subdirectories below. A double click or Enter in it opens an entry, a click
// only highlights one; Enter elsewhere is OK, which takes the opened directory.
TEST_F(QtSettingsWindowTest, PickerOpensOnDoubleClickOrEnterAndOkTakesTheOpenedDirectory) {
  form.Open();
  WhenModal([] {
    auto* picker = dynamic_cast<DirPickerDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(picker, nullptr);
    QListWidget& list = *picker->DirectoryList();
    EXPECT_EQ(Names(list), (QStringList{"/", "home", "user", "web", "css", "img"}));
    EXPECT_EQ(list.currentRow(), 3);
    EXPECT_EQ(picker->DriveList()->currentText(), QStringLiteral("/"));
    EXPECT_TRUE(picker->findChild<QPushButton*>("Command1")->isDefault());

    Highlight(list, "img");
    const QPoint img = list.visualItemRect(list.currentItem()).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, img);
    EXPECT_EQ(list.count(), 6);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, img);
    EXPECT_EQ(Names(list), (QStringList{"/", "home", "user", "web", "img"}));

    list.setFocus();
    Highlight(list, "web");
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_TRUE(picker->isVisible());
    Highlight(list, "css");
    QTest::keyClick(picker->DriveList(), Qt::Key_Return);
  });
  form.btnRef_Click();
  EXPECT_EQ(app.options.BasePath, "/home/user/web");
  EXPECT_EQ(Find<QLineEdit>("txtBasePath")->text(), QStringLiteral("/home/user/web"));
}

}  // namespace
}  // namespace tagsmit::testing
