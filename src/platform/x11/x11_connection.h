#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "base/result.h"

namespace tagsmit::x11 {

// One connection to the X server named by DISPLAY, with its default screen.
class Connection {
 public:
  // Connects, or names why not (no DISPLAY, server unreachable, ...).
  static Result<std::shared_ptr<Connection>> Open();

  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  xcb_connection_t* get() const { return connection_; }
  xcb_window_t root() const { return root_; }
  // The atoms of `names`, created where the server does not know them yet:
  // all asked for at once, one round trip in all. `meanwhile` may send
  // requests of its own before the answers are awaited: they share the trip.
  template <std::size_t N, typename Meanwhile>
  std::array<xcb_atom_t, N> Atoms(const char* const (&names)[N], Meanwhile meanwhile) {
    std::array<xcb_intern_atom_cookie_t, N> cookies{};
    AskAtoms(names, N, cookies.data());
    meanwhile();
    std::array<xcb_atom_t, N> atoms{};
    ReceiveAtoms(cookies.data(), N, atoms.data());
    return atoms;
  }
  template <std::size_t N>
  std::array<xcb_atom_t, N> Atoms(const char* const (&names)[N]) {
    return Atoms(names, [] {});
  }
  // A new unmapped window that reports property changes, for selection work.
  xcb_window_t CreateHelperWindow();
  // A server timestamp, by touching a property of `window` (a helper window):
  // selections should carry real times, not CurrentTime. AskServerTime only
  // sends the request, so that others may go with it; AwaitServerTime sends
  // what is pending and waits for the answer to the last one asked.
  void AskServerTime(xcb_window_t window);
  Result<xcb_timestamp_t> AwaitServerTime(xcb_window_t window);
  // Waits up to `timeout_ms` for the next event; null on timeout or when the
  // connection breaks. The event is the caller's to free.
  xcb_generic_event_t* WaitForEvent(int timeout_ms);

  // Lets go of the connection while a forked child keeps using it: frees it
  // here without shutting down the socket the child shares. Nothing may be
  // called afterwards.
  void HandOver();

 private:
  void AskAtoms(const char* const* names, std::size_t count, xcb_intern_atom_cookie_t* cookies);
  void ReceiveAtoms(const xcb_intern_atom_cookie_t* cookies, std::size_t count, xcb_atom_t* atoms);

  Connection(xcb_connection_t* connection, xcb_window_t root)
      : connection_(connection), root_(root) {}

  xcb_connection_t* connection_;
  xcb_window_t root_;
};

}  // namespace tagsmit::x11
