#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/posix/reader_rules.h"

namespace tagsmit::x11 {

// The INCR transfers that a selection owner has under way. Each sends part of
// a text that the owner keeps (a view of it, never a copy) to a requestor's
// property, one chunk each time the requestor deletes the property. Readers
// that ask and never read therefore cost a few bytes each, and not for long:
// transfers are dropped and make room by the rules every holder keeps
// (posix/reader_rules.h). A requestor reads when it deletes the property:
// the first time, the INCR announcement.
class IncrTransfers {
 public:
  using Clock = std::chrono::steady_clock;

  struct Transfer {
    xcb_window_t requestor;
    xcb_atom_t property;
    xcb_atom_t type;
    std::string_view unsent;
    ReaderProgress progress;
  };

  // Starts `transfer` in place of any to the same property; beyond
  // kMaxTransfers returns the transfer that gave way, which is `transfer`
  // itself when every other reader reads.
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
