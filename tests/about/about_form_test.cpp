#include "about/about_form.h"

#include <gtest/gtest.h>

#include "fake_views.h"

namespace tagsmit::testing {
namespace {

TEST(AboutFormTest, LoadFillsCaptionVersionTitleAndDescription) {
  FakeSettingsView owner;
  FakeAboutView view(owner.log, nullptr);
  AboutForm(view, owner, {"Tagsmit", 1, 1, 5}).Form_Load();
  EXPECT_EQ(view.texts[AboutText::Caption], "Tagsmitのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(view.texts[AboutText::lblVersion], "ﾊﾞｰｼﾞｮﾝ 1.1.5");
  EXPECT_EQ(view.texts[AboutText::lblTitle], "Tagsmit　（ﾀｸﾞｽﾐｯﾄ）");
  EXPECT_EQ(view.texts[AboutText::txtDescription],
            "　ﾀﾞｳﾝﾛｰﾄﾞいただきありがとうございます。\n"
            "　Tagsmit は gif および jpeg 画像の幅と高さをﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟでｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"
            "するものです。HTML 文書の表示を早くするために、画像の大きさを埋め込むための支援ｿﾌﾄ"
            "として作成してみました。"
            "したがってこれは普通のｴﾃﾞｨﾀｰでﾊﾞﾘﾊﾞﾘ HTML 文書を書く人向けといえます。（＾＾）");
  EXPECT_EQ(AboutVersionLine({"Tagsmit", 2, 10, 0}), "ﾊﾞｰｼﾞｮﾝ 2.10.0");
}

}  // namespace
}  // namespace tagsmit::testing
