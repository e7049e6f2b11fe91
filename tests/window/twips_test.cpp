#include "window/twips.h"

#include <gtest/gtest.h>

#include <tuple>

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

}  // namespace
}  // namespace tagsmit
