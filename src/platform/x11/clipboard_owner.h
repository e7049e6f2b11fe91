#pragma once

#include <xcb/xcb.h>

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/x11/incr_transfers.h"
#include "platform/x11/x11_connection.h"

namespace tagsmit::x11 {

// Owns the CLIPBOARD selection with one UTF-8 text and answers requests for
// it (TARGETS, TIMESTAMP, UTF8_STRING, STRING, TEXT) until another client
// takes the selection. Texts too large for one request go out in INCR steps,
// several at a time (IncrTransfers). The text is the caller's, not a copy: it
// must outlive the owner (in a holder process the caller's frames never end).
class ClipboardOwner {
 public:
  ClipboardOwner(Connection& connection, std::string_view text);

  // Takes the selection; fails when the server does not give it. Succeeds
  // too when a later client has taken it from us already: Serve then answers
  // what came meanwhile and ends.
  Status Acquire();
  // Answers requests until the selection is lost or the connection breaks.
  void Serve();

 private:
  struct FreeEvent {
    void operator()(xcb_generic_event_t* event) const { std::free(event); }
  };
  using EventPointer = std::unique_ptr<xcb_generic_event_t, FreeEvent>;
  static constexpr int kAcquireAttempts = 10;

  using Clock = IncrTransfers::Clock;
  using Transfer = IncrTransfers::Transfer;

  // Whether the selection, once ours, has gone to another client already;
  // keeps the events it reads for Serve.
  bool TakenFromUsSince();
  // The next event; null when a transfer goes idle first or the connection
  // breaks.
  xcb_generic_event_t* NextEvent();
  // Handles one event; false once the selection is lost.
  bool Handle(const xcb_generic_event_t& event);
  void Answer(const xcb_selection_request_event_t& request);
  // Puts the value of `target` on the requestor's property; false when the
  // target is not one we offer.
  bool Convert(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t target);
  void SendChunk(const xcb_property_notify_event_t& deleted);
  // The text as STRING (ISO 8859-1) wants it, made on the first request.
  std::string_view Latin1();
  // Stops listening to the requestor's window once no transfer goes there.
  void Release(xcb_window_t requestor);

  Connection& connection_;
  std::string_view text_;
  std::optional<std::string> latin1_;
  xcb_window_t window_ = XCB_NONE;
  xcb_timestamp_t acquired_ = XCB_CURRENT_TIME;
  std::size_t chunk_size_;
  IncrTransfers transfers_;
  std::vector<EventPointer> early_events_;  // read while taking the selection

  xcb_atom_t clipboard_, targets_, timestamp_, utf8_string_, text_atom_, incr_;
};

}  // namespace tagsmit::x11
