// Which display system takes the clipboard text and rings the bell, with two
// fake systems that record what they are asked.
#include "platform/linux/display_choice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tagsmit {
namespace {

using ::testing::ElementsAre;

class FakeDisplay final : public DisplayServices {
 public:
  FakeDisplay(std::string name, std::vector<std::string>& log)
      : name_(std::move(name)), log_(log) {}

  bool Connected() override { return true; }
  Status SetClipboardText(const std::string& text) override {
    log_.push_back(name_ + " set");
    if (failure) return Status::Failure(*failure);
    text_ = text;
    return Status::Ok();
  }
  Result<std::string> ClipboardText() override { return name_ + " holds " + text_; }
  bool RingBell() override {
    log_.push_back(name_ + " bell");
    return has_bell;
  }

  std::optional<std::string> failure;
  bool has_bell = true;

 private:
  std::string name_;
  std::vector<std::string>& log_;
  std::string text_;
};

struct DisplayChoiceTest : ::testing::Test {
  std::vector<std::string> log;
  FakeDisplay wayland{"wayland", log};
  FakeDisplay x11{"x11", log};
};

// Without WAYLAND_DISPLAY the Wayland side is never asked, even for the bell
// or whether it answers.
TEST_F(DisplayChoiceTest, OutsideAWaylandSessionX11DoesEverything) {
  for (const char* wayland_display : {static_cast<const char*>(nullptr), ""}) {
    log.clear();
    DisplayChoice choice(wayland_display, wayland, x11);
    EXPECT_FALSE(choice.WaylandAnswers());
    ASSERT_TRUE(choice.SetClipboardText("<IMG>").ok());
    EXPECT_EQ(choice.ClipboardText().value(), "x11 holds <IMG>");
    choice.Beep();
    EXPECT_THAT(log, ElementsAre("x11 set", "x11 bell"));

    x11.failure = "cannot connect to the X display \":0\"";
    EXPECT_EQ(choice.SetClipboardText("<IMG>").error(), *x11.failure);
    x11.failure.reset();
  }
}

// Data-control first; the X11 clipboard when the compositor offers none (or
// Wayland fails otherwise), and the text is read back where it went. The
// bell is Wayland's where the compositor has one.
TEST_F(DisplayChoiceTest, InAWaylandSessionWaylandFirstThenX11) {
  DisplayChoice choice("wayland-1", wayland, x11);
  EXPECT_TRUE(choice.WaylandAnswers());
  ASSERT_TRUE(choice.SetClipboardText("<IMG>").ok());
  EXPECT_EQ(choice.ClipboardText().value(), "wayland holds <IMG>");
  choice.Beep();
  EXPECT_THAT(log, ElementsAre("wayland set", "wayland bell"));

  log.clear();
  wayland.failure = "the Wayland compositor offers no data-control manager for the clipboard";
  wayland.has_bell = false;
  ASSERT_TRUE(choice.SetClipboardText("<IMG 2>").ok());
  EXPECT_EQ(choice.ClipboardText().value(), "x11 holds <IMG 2>");
  choice.Beep();
  EXPECT_THAT(log, ElementsAre("wayland set", "x11 set", "wayland bell", "x11 bell"));

  x11.failure = "no X display: the DISPLAY environment variable is not set";
  EXPECT_EQ(choice.SetClipboardText("<IMG 3>").error(), *wayland.failure + "; " + *x11.failure);
}

}  // namespace
}  // namespace tagsmit
