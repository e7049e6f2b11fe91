#include "run/app.h"

#include <gtest/gtest.h>

namespace tagsmit {
namespace {

TEST(ClipStrList, SelectionFollowsItsEntryAndDrivesCurClipStr) {
  AppState app;
  app.clip_strs.InsertAtTop("a");
  app.clip_strs.InsertAtTop("b");
  app.clip_strs.Select(1);
  EXPECT_EQ(app.options.CurClipStr, "a");

  app.clip_strs.InsertAtTop("c");  // the selected entry moves down with its text
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 2);
  EXPECT_EQ(app.clip_strs.Text(), "a");

  app.clip_strs.Remove(0);
  EXPECT_EQ(app.clip_strs.SelectedIndex(), 1);
  app.clip_strs.Remove(1);  // removing the selected entry leaves none selected
  EXPECT_EQ(app.clip_strs.SelectedIndex(), -1);
  EXPECT_EQ(app.clip_strs.Text(), "");
  EXPECT_EQ(app.options.CurClipStr, "a");  // only a selection changes it

  app.clip_strs.Select(5);
  EXPECT_EQ(app.clip_strs.SelectedIndex(), -1);
  EXPECT_EQ(app.options.CurClipStr, "");
}

}  // namespace
}  // namespace tagsmit
