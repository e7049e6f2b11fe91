#include "about/about_form.h"

#include <gtest/gtest.h>

#include <string>

#include "about/about_controls.h"
#include "fake_views.h"
#include "window_spec_checks.h"

namespace tagsmit::testing {
namespace {

TEST(AboutFormTest, LoadFillsCaptionVersionTitleAndDescription) {
  FakeSettingsView owner;
  FakeAboutView view(owner.log, nullptr);
  AboutForm(view, owner, {"Tagsmit", 1, 1, 5}).Form_Load();
  EXPECT_EQ(view.texts[AboutText::Caption], "Tagsmitのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(view.texts[AboutText::lblVersion], "ﾊﾞｰｼﾞｮﾝ 1.1.5");
  EXPECT_EQ(view.texts[AboutText::lblTitle], "Tagsmit　（ﾀｸﾞｽﾐｯﾄ）");
  // The thanks on a line of their own; the rest runs on to be wrapped.
  const std::string& description = view.texts[AboutText::txtDescription];
  EXPECT_EQ(description.find('\n'), description.find("。") + std::string("。").size());
  EXPECT_EQ(description.find('\n', description.find('\n') + 1), std::string::npos);
  EXPECT_EQ(AboutVersionLine({"Tagsmit", 2, 10, 0}), "ﾊﾞｰｼﾞｮﾝ 2.10.0");
}

TEST(AboutFormTest, TheWindowIsComplete) {
  ExpectCompleteWindow(kAboutWindow, static_cast<int>(AboutControl::cmdOK) + 1);
}

}  // namespace
}  // namespace tagsmit::testing
