// The INCR transfers a clipboard holder keeps: bounded in number and in idle
// time, and ended with their requestor's window.
#include "platform/x11/incr_transfers.h"

#include <gtest/gtest.h>

namespace tagsmit::x11 {
namespace {

using std::chrono::seconds;
constexpr xcb_atom_t kProperty = 300, kOtherProperty = 301;
const IncrTransfers::Clock::time_point t0{};

IncrTransfers::Transfer To(xcb_window_t requestor, seconds step, xcb_atom_t property = kProperty) {
  return {requestor, property, XCB_ATOM_STRING, "text", t0 + step};
}

// Beyond the bound the transfer idle longest makes room; a new request to the
// same property replaces its transfer and takes no room.
TEST(IncrTransfersTest, PushesOutTheIdlestBeyondTheBound) {
  IncrTransfers transfers;
  for (xcb_window_t window = 1; window <= kMaxTransfers; ++window) {
    EXPECT_FALSE(transfers.Start(To(window, seconds(window))));
  }
  transfers.Find(1, kProperty)->last_step = t0 + seconds(100);
  EXPECT_EQ(transfers.Start(To(100, seconds(101)))->requestor, 2u);
  EXPECT_EQ(transfers.Find(2, kProperty), nullptr);
  EXPECT_FALSE(transfers.Start(To(100, seconds(102))));
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
