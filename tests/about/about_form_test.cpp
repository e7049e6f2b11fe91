#include "about/about_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_views.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;

// A settings window that only records its place in the topmost band.
class OwnerWindow : public WindowView {
 public:
  explicit OwnerWindow(WindowRecord& record) : record_(record) {}
  void SetStaysOnTop(bool on_top) override {
    record_.log.push_back(on_top ? "settings:on-top" : "settings:not-on-top");
  }
  void Close() override { record_.log.push_back("settings:close"); }

 private:
  WindowRecord& record_;
};

class AboutFormTest : public ::testing::Test {
 protected:
  WindowRecord record;
  OwnerWindow owner{record};
  ProgramIdentity identity{"Tagsmit", 1, 1, 5};
};

TEST_F(AboutFormTest, LoadFillsCaptionVersionTitleAndDescription) {
  FakeAboutView view(record, nullptr);
  AboutForm about(view, owner, identity);
  about.Form_Load();
  EXPECT_EQ(view.texts[AboutText::Caption], "Tagsmitのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(view.texts[AboutText::lblVersion], "ﾊﾞｰｼﾞｮﾝ 1.1.5");
  EXPECT_EQ(view.texts[AboutText::lblTitle], "Tagsmit　（ﾀｸﾞｽﾐｯﾄ）");
  EXPECT_EQ(view.texts[AboutText::txtDescription],
            "　ﾀﾞｳﾝﾛｰﾄﾞいただきありがとうございます。\r\n"
            "　Tagsmit は gif および jpeg 画像の幅と高さをﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟでｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"
            "するものです。HTML 文書の表示を早くするために、画像の大きさを埋め込むための支援ｿﾌﾄ"
            "として作成してみました。"
            "したがってこれは普通のｴﾃﾞｨﾀｰでﾊﾞﾘﾊﾞﾘ HTML 文書を書く人向けといえます。（＾＾）");
}

TEST_F(AboutFormTest, VersionLineFollowsTheProgramIdentity) {
  EXPECT_EQ(AboutVersionLine({"Tagsmit", 2, 10, 0}), "ﾊﾞｰｼﾞｮﾝ 2.10.0");
  EXPECT_EQ(AboutCaption({"Other", 1, 1, 5}), "Otherのﾊﾞｰｼﾞｮﾝ情報");
}

TEST_F(AboutFormTest, OkAndBackgroundClickCloseAndPutTheOwnerOnTop) {
  for (const bool background : {false, true}) {
    record.log.clear();
    FakeAboutView view(record, [background](AboutForm& about, FakeAboutView&) {
      if (background) {
        about.Form_Click();
      } else {
        about.cmdOK_Click();
      }
    });
    AboutForm about(view, owner, identity);
    about.Open();
    EXPECT_TRUE(view.closed);
    EXPECT_THAT(record.log, ElementsAre("about:run", "about:close", "settings:on-top"));
  }
}

TEST_F(AboutFormTest, EveryOpeningShowsTheSameDescription) {
  std::vector<std::string> shown;
  for (int opening = 0; opening < 2; ++opening) {
    FakeAboutView view(record, [&shown](AboutForm& about, FakeAboutView& v) {
      shown.push_back(v.texts[AboutText::txtDescription]);
      about.cmdOK_Click();
    });
    AboutForm about(view, owner, identity);
    about.Open();
  }
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], shown[1]);
}

}  // namespace
}  // namespace tagsmit::testing
