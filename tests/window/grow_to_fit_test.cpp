#include "window/grow_to_fit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tagsmit {
namespace {

auto Tie(const PixelRect& r) {
  return std::tie(r.left, r.top, r.width, r.height);
}

TEST(GrowToFitTest, GrowsRightAndDownToTheTextButNeverShrinksNorPassesTheEdge) {
  const PixelRect place{24, 8, 281, 17};
  const PixelSize client{437, 234};
  // Text that fits keeps the table's place.
  EXPECT_EQ(Tie(GrowToFit(place, {200, 12}, client)), Tie(place));
  EXPECT_EQ(Tie(GrowToFit(place, {300, 23}, client)), std::make_tuple(24, 8, 300, 23));
  // Wider than the window: up to the right edge, no further.
  EXPECT_EQ(Tie(GrowToFit(place, {900, 17}, client)), std::make_tuple(24, 8, 413, 17));
  // A place already past the edge keeps its size.
  const PixelRect beyond{400, 220, 60, 20};
  EXPECT_EQ(Tie(GrowToFit(beyond, {80, 30}, client)), Tie(beyond));
}

}  // namespace
}  // namespace tagsmit
