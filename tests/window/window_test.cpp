#include "window/twips.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "window/first_focus.h"
#include "window/grow_to_fit.h"
#include "window/push_down.h"

namespace tagsmit {
namespace {

TEST(TwipsTest, PixelsAtTheScreenResolutionWithHalvesRoundedUp) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);  // an inch
  EXPECT_EQ(TwipsToPixels(7, 96), 0);      // 0.47 pixels
  EXPECT_EQ(TwipsToPixels(8, 96), 1);      // 0.53 pixels
  EXPECT_EQ(TwipsToPixels(255, 144), 26);  // 25.5 pixels
  const PixelRect place = TwipsToPixels(TwipsRect{360, 120, 4215, 255}, 120);
  EXPECT_EQ(std::tie(place.left, place.top, place.width, place.height),
            std::make_tuple(30, 10, 351, 21));
}

TEST(GrowToFitTest, GrowsRightAndDownToTheTextButNeverShrinksNorPassesTheEdge) {
  const auto grown = [](PixelRect place, PixelSize needed) {
    const PixelRect r = GrowToFit(place, needed, {437, 234});
    return std::array{r.left, r.top, r.width, r.height};
  };
  EXPECT_EQ(grown({24, 8, 281, 17}, {200, 12}), (std::array{24, 8, 281, 17}));  // fits
  EXPECT_EQ(grown({24, 8, 281, 17}, {300, 23}), (std::array{24, 8, 300, 23}));
  EXPECT_EQ(grown({24, 8, 281, 17}, {900, 17}), (std::array{24, 8, 413, 17}));     // to the edge
  EXPECT_EQ(grown({400, 220, 60, 20}, {80, 30}), (std::array{400, 220, 60, 20}));  // beyond it
}

// The About window at 96 dpi in a font that runs taller than the table's:
// the title pushes the version line down, which pushes the description's
// top edge down. What shares no column with them stays, and so does what a
// label's place overlaps in the table but its text does not reach.
TEST(PushDownTest, WhatAControlReachesPushesTheControlsBelowItSoThatNothingTouches) {
  using enum ControlKind;
  const GrownControl controls[] = {
      {Picture, {16, 16, 36, 36}, {16, 16, 36, 36}, 36},
      {Label, {70, 16, 195, 16}, {70, 16, 195, 23}, 23},  // title
      {Label, {72, 32, 115, 15}, {72, 32, 115, 17}, 17},  // version
      {ReadOnlyText, {72, 48, 275, 90}, {72, 48, 275, 90}, 90},
      {CommandButton, {248, 144, 87, 23}, {248, 144, 87, 23}, 23},
      {Frame, {66, 30, 290, 120}, {66, 30, 290, 120}, 120},  // around the texts
      {Label, {400, 8, 30, 17}, {400, 8, 30, 17}, 12},
      {ListBox, {390, 24, 40, 20}, {390, 24, 40, 24}, 24},
  };
  const auto at = [](const PixelRect& r) { return std::array{r.left, r.top, r.width, r.height}; };
  const std::vector<PixelRect> places = PushDown(controls);
  ASSERT_EQ(places.size(), std::size(controls));
  EXPECT_EQ(at(places[2]), (std::array{72, 39, 115, 17}));
  EXPECT_EQ(at(places[3]), (std::array{72, 56, 275, 82}));  // the same bottom edge
  for (const std::size_t stays : {0u, 1u, 4u, 5u, 6u, 7u}) {
    EXPECT_EQ(at(places[stays]), at(controls[stays].grown)) << stays;
  }
}

// Where a Windows dialog puts the focus: Space on it never changes a choice.
TEST(FirstFocusTest, TheFirstEnabledControlOrTheCheckedOptionOfItsGroup) {
  using enum ControlKind;
  const FocusStop fixed_mode[] = {
      {OptionButton, true, false}, {OptionButton, true, true}, {TextBox, true, false}};
  const FocusStop none_checked[] = {
      {OptionButton, true, false}, {OptionButton, true, false}, {CheckBox, true, true}};
  const FocusStop first_disabled[] = {{TextBox, false, false}, {CommandButton, true, false}};
  const FocusStop all_disabled[] = {{TextBox, false, false}};
  EXPECT_EQ(FirstFocus(fixed_mode), 1);
  EXPECT_EQ(FirstFocus(none_checked), 0);
  EXPECT_EQ(FirstFocus(first_disabled), 1);
  EXPECT_EQ(FirstFocus(all_disabled), -1);
}

}  // namespace
}  // namespace tagsmit
