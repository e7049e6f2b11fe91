#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/wayland/data_control.h"

struct wl_display;

namespace tagsmit::wayland::testing {

// A compositor of the test's own (libwayland-server, on a thread of its own,
// in a runtime folder of its own that WAYLAND_DISPLAY names) that offers a
// seat and, as the setup says, data-control managers and the system bell.
// A selection that a client sets is asked for once as each type of `reads`
// and announced as the new selection, after `primary_changes` new primary
// selections; then, right after the answer to the client's next round trip
// and in the same write, a newer selection replaces it (cancelled). A new
// data device is shown `clipboard` as the selection, and a receive from it is
// answered with "clipboard as <type>".
class FakeCompositor {
 public:
  struct Setup {
    bool ext = false;   // ext_data_control_manager_v1
    bool wlr = false;   // zwlr_data_control_manager_v1, version 2
    bool bell = false;  // xdg_system_bell_v1
    std::vector<std::string> reads;
    int primary_changes = 0;
    std::optional<std::vector<std::string>> clipboard;  // its MIME types
  };
  // What the clients did; read it once the compositor has stopped.
  struct Record {
    std::vector<DataControl::Protocol> bound;  // the managers bound
    std::vector<std::string> offered;          // the types of a selection set
    std::vector<int> answers;                  // read ends, one per type of `reads`
    int offers_destroyed = 0;
    int rings = 0;
  };

  explicit FakeCompositor(Setup setup);
  ~FakeCompositor();
  FakeCompositor(const FakeCompositor&) = delete;
  FakeCompositor& operator=(const FakeCompositor&) = delete;

  // Stops the compositor and gives what the clients did.
  const Record& Stop();

  const Setup setup;
  Record record;

 private:
  std::string runtime_dir_;
  wl_display* display_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace tagsmit::wayland::testing
