#include "window/twips.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "window/grow_to_fit.h"

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

}  // namespace
}  // namespace tagsmit
