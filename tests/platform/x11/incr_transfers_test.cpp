// The INCR transfers a clipboard holder keeps: bounded in number and in idle
// time, and ended with their requestor's window.
#include "platform/x11/incr_transfers.h"

#include <gtest/gtest.h>

#include <vector>

namespace tagsmit::x11 {
namespace {

using std::chrono::seconds;
constexpr xcb_atom_t kProperty = 300, kOtherProperty = 301;
const IncrTransfers::Clock::time_point t0{};

IncrTransfers::Transfer To(xcb_window_t requestor, seconds asked, xcb_atom_t property = kProperty) {
  return {requestor, property, XCB_ATOM_STRING, "text", {t0 + asked, false}};
}

// Beyond the bound a requestor that has read nothing makes room, the earliest
// to ask first: 40 requests at once that never read cannot cut off a slow
// reader. Once every transfer is read, the newcomer is turned away. A new
// request to the same property replaces its transfer and takes no room.
TEST(IncrTransfersTest, MakesRoomFromRequestorsThatDoNotRead) {
  IncrTransfers transfers;
  EXPECT_FALSE(transfers.Start(To(1, seconds(0))));
  transfers.Find(1, kProperty)->progress = {t0 + seconds(1), true};
  std::vector<xcb_window_t> gone;
  for (xcb_window_t window = 100; window < 140; ++window) {
    if (const auto out = transfers.Start(To(window, seconds(2)))) gone.push_back(out->requestor);
  }
  ASSERT_EQ(gone.size(), 40 - (kMaxTransfers - 1));
  EXPECT_EQ(gone.front(), 100u);
  EXPECT_EQ(gone.back(), 124u);
  ASSERT_NE(transfers.Find(1, kProperty), nullptr);

  for (xcb_window_t window = 125; window < 140; ++window) {
    transfers.Find(window, kProperty)->progress = {t0 + seconds(3), true};
  }
  EXPECT_EQ(transfers.Start(To(200, seconds(4)))->requestor, 200u);
  EXPECT_EQ(transfers.Find(200, kProperty), nullptr);
  EXPECT_FALSE(transfers.Start(To(1, seconds(5))));
  EXPECT_FALSE(transfers.Find(1, kProperty)->progress.reading);
}

TEST(IncrTransfersTest, EndsIdleTransfersAndThoseToVanishedWindows) {
  IncrTransfers transfers;
  EXPECT_FALSE(transfers.NextIdleEnd());
  EXPECT_FALSE(transfers.Start(To(1, seconds(0))));
  EXPECT_FALSE(transfers.Start(To(1, seconds(5), kOtherProperty)));
  EXPECT_FALSE(transfers.Start(To(2, seconds(8))));
  EXPECT_EQ(transfers.NextIdleEnd(), t0 + kIdleLimit);
  EXPECT_TRUE(transfers.EndIdle(t0 + kIdleLimit - seconds(1)).empty());
  const auto ended = transfers.EndIdle(t0 + kIdleLimit);
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0].property, kProperty);
  EXPECT_TRUE(transfers.AnyTo(1));
  transfers.EndAllTo(1);
  EXPECT_FALSE(transfers.AnyTo(1));
  EXPECT_EQ(transfers.NextIdleEnd(), t0 + seconds(8) + kIdleLimit);
}

}  // namespace
}  // namespace tagsmit::x11
