#include "about/about_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_views.h"

namespace tagsmit::testing {
namespace {

using ::testing::ElementsAre;

// The settings window, seen by the About window only as its owner.
class OwnerWindow : public WindowView {
 public:
  explicit OwnerWindow(WindowLog& log) : log_(log) {}
  void SetStaysOnTop(bool on_top) override { LogOnTop(log_, "settings", on_top); }
  void Close() override { log_.push_back("settings:close"); }

 private:
  WindowLog& log_;
};

TEST(AboutFormTest, LoadFillsCaptionVersionTitleAndDescription) {
  WindowLog log;
  OwnerWindow owner(log);
  FakeAboutView view(log, nullptr);
  AboutForm(view, owner, {"Tagsmit", 1, 1, 5}).Form_Load();
  EXPECT_EQ(view.texts[AboutText::Caption], "Tagsmitのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(view.texts[AboutText::lblVersion], "ﾊﾞｰｼﾞｮﾝ 1.1.5");
  EXPECT_EQ(view.texts[AboutText::lblTitle], "Tagsmit　（ﾀｸﾞｽﾐｯﾄ）");
  EXPECT_EQ(view.texts[AboutText::txtDescription],
            "　ﾀﾞｳﾝﾛｰﾄﾞいただきありがとうございます。\r\n"
            "　Tagsmit は gif および jpeg 画像の幅と高さをﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟでｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"
            "するものです。HTML 文書の表示を早くするために、画像の大きさを埋め込むための支援ｿﾌﾄ"
            "として作成してみました。"
            "したがってこれは普通のｴﾃﾞｨﾀｰでﾊﾞﾘﾊﾞﾘ HTML 文書を書く人向けといえます。（＾＾）");
  EXPECT_EQ(AboutVersionLine({"Tagsmit", 2, 10, 0}), "ﾊﾞｰｼﾞｮﾝ 2.10.0");
}

// Each opening loads afresh: the same description every time.
TEST(AboutFormTest, OkAndBackgroundClickCloseAndPutTheOwnerOnTop) {
  std::vector<std::string> shown;
  for (const bool background : {false, true}) {
    WindowLog log;
    OwnerWindow owner(log);
    FakeAboutView view(log, [&](AboutForm& about, FakeAboutView& v) {
      shown.push_back(v.texts[AboutText::txtDescription]);
      background ? about.Form_Click() : about.cmdOK_Click();
    });
    AboutForm(view, owner, {"Tagsmit", 1, 1, 5}).Open();
    EXPECT_THAT(log, ElementsAre("about:run", "about:close", "settings:on-top"));
  }
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], shown[1]);
}

}  // namespace
}  // namespace tagsmit::testing
