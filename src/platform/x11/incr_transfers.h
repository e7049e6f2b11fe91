#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/posix/holder_process.h"

namespace tagsmit::x11 {

// The INCR transfers that a selection owner has under way. Each sends part of
// a text that the owner keeps (a view of it, never a copy) to a requestor's
// property, one chunk each time the requestor deletes the property. Readers
// that ask and never read therefore cost a few bytes each, and not for long:
// a transfer that makes no step for kIdleLimit is dropped, and a transfer
// started beyond kMaxTransfers pushes out the one that has been idle longest
// (the rules every holder keeps, posix/holder_process.h).
class IncrTransfers {
 public:
  using Clock = std::chrono::steady_clock;

  struct Transfer {
    xcb_window_t requestor;
    xcb_atom_t property;
    xcb_atom_t type;
    std::string_view unsent;
    Clock::time_point last_step;
  };

  // Starts `transfer` in place of any to the same property; returns the
  // transfer it pushed out to stay within kMaxTransfers.
  std::optional<Transfer> Start(const Transfer& transfer);
  // The transfer to `property` on `requestor`, or null.
  Transfer* Find(xcb_window_t requestor, xcb_atom_t property);
  void End(xcb_window_t requestor, xcb_atom_t property);
  // Ends every transfer to `requestor`, whose window has gone.
  void EndAllTo(xcb_window_t requestor);
  // Ends and returns the transfers that have been idle for kIdleLimit at `now`.
  std::vector<Transfer> EndIdle(Clock::time_point now);
  // When the next transfer will have been idle too long; none without any.
  std::optional<Clock::time_point> NextIdleEnd() const;
  bool AnyTo(xcb_window_t requestor) const;

 private:
  std::vector<Transfer> transfers_;
};

}  // namespace tagsmit::x11
