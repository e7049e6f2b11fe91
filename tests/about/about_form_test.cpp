// The About window's texts are checked on the real dialog (tests/platform/qt).
#include <gtest/gtest.h>

#include "about/about_controls.h"
#include "window_spec_checks.h"

namespace tagsmit::testing {
namespace {

TEST(AboutFormTest, TheWindowIsComplete) {
  ExpectCompleteWindow(kAboutWindow, static_cast<int>(AboutControl::cmdOK) + 1);
}

}  // namespace
}  // namespace tagsmit::testing
