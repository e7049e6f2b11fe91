// The INCR transfers a clipboard holder keeps: bounded in number and in idle
// time, and ended with their requestor's window.
#include "platform/x11/incr_transfers.h"

#include <gtest/gtest.h>

#include <string_view>

namespace tagsmit::x11 {
namespace {

using std::chrono::seconds;
using Clock = IncrTransfers::Clock;
constexpr xcb_atom_t kProperty = 300, kOtherProperty = 301, kType = 302;
constexpr std::string_view kText = "text";
const Clock::time_point t0{};

IncrTransfers::Transfer To(xcb_window_t requestor, Clock::time_point step,
                           xcb_atom_t property = kProperty) {
  return {requestor, property, kType, kText, step};
}

// Beyond the bound, the transfer idle longest makes room; a new request to
// the same property replaces its transfer and takes no room.
TEST(IncrTransfersTest, PushesOutTheIdlestBeyondTheBound) {
  IncrTransfers transfers;
  const auto bound = static_cast<xcb_window_t>(IncrTransfers::kMaxTransfers);
  for (xcb_window_t window = 1; window <= bound; ++window) {
    EXPECT_FALSE(transfers.Start(To(window, t0 + seconds(window))));
  }
  transfers.Find(1, kProperty)->last_step = t0 + seconds(100);
  const auto pushed_out = transfers.Start(To(100, t0 + seconds(101)));
  ASSERT_TRUE(pushed_out);
  EXPECT_EQ(pushed_out->requestor, 2u);
  EXPECT_EQ(transfers.Find(2, kProperty), nullptr);
  EXPECT_NE(transfers.Find(1, kProperty), nullptr);
  EXPECT_FALSE(transfers.Start(To(100, t0 + seconds(102))));
}

TEST(IncrTransfersTest, EndsIdleTransfersAndThoseToVanishedWindows) {
  IncrTransfers transfers;
  EXPECT_FALSE(transfers.NextIdleEnd());
  EXPECT_FALSE(transfers.Start(To(1, t0)));
  EXPECT_FALSE(transfers.Start(To(1, t0 + seconds(5), kOtherProperty)));
  EXPECT_FALSE(transfers.Start(To(2, t0 + seconds(8))));
  EXPECT_EQ(transfers.NextIdleEnd(), t0 + IncrTransfers::kIdleLimit);

  EXPECT_TRUE(transfers.EndIdle(t0 + IncrTransfers::kIdleLimit - seconds(1)).empty());
  const auto ended = transfers.EndIdle(t0 + IncrTransfers::kIdleLimit);
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0].property, kProperty);
  EXPECT_TRUE(transfers.AnyTo(1));

  transfers.EndAllTo(1);
  EXPECT_FALSE(transfers.AnyTo(1));
  EXPECT_TRUE(transfers.AnyTo(2));
  EXPECT_EQ(transfers.NextIdleEnd(), t0 + seconds(8) + IncrTransfers::kIdleLimit);
}

}  // namespace
}  // namespace tagsmit::x11
