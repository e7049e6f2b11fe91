#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct wl_registry;
struct wl_seat;

namespace tagsmit::wayland {

// The compositor's requests for the selection this client has set.
class SelectionRequests {
 public:
  virtual ~SelectionRequests() = default;
  // A reader wants the selection as `mime_type`, written into `fd`, which
  // this call takes over.
  virtual void Send(const char* mime_type, int fd) = 0;
  // A newer selection has replaced ours: the clipboard went on from it, so
  // ours has done its part.
  virtual void Replaced() = 0;
  // The data device no longer works (its seat has gone): the selection is
  // lost, perhaps before it was ever the clipboard's.
  virtual void DeviceGone() = 0;
};

// One seat's clipboard through a data-control protocol, the same calls for
// ext-data-control-v1 and wlr-data-control-unstable-v1 (which differ only in
// their names). Created with the seat's data device; what the compositor
// says arrives as the connection's events are dispatched. Each offer the
// compositor introduces is destroyed as soon as a newer one replaces it, and
// a replaced source too, as the protocols ask. Destroying this object only
// forgets its objects here: the compositor drops them with the connection,
// which may live on in a clipboard holder process.
class DataControl {
 public:
  enum class Protocol { kExt, kWlr };
  // A data-control manager as the registry announced it.
  struct Global {
    Protocol protocol;
    std::uint32_t name;
    std::uint32_t version;
  };

  virtual ~DataControl() = default;

  // Makes a source that offers `mime_types` and sets it as the selection;
  // `requests` hears what the compositor asks of it.
  virtual void SetSelection(std::span<const char* const> mime_types,
                            SelectionRequests& requests) = 0;
  // The MIME types of the current selection as last announced (the
  // compositor announces it once the data device exists); null when the
  // clipboard is empty.
  virtual const std::vector<std::string>* SelectionTypes() const = 0;
  // Asks the owner of the current selection to write it as `mime_type` into
  // `fd`; the caller keeps `fd`. Only with a selection.
  virtual void Receive(const char* mime_type, int fd) = 0;
};

// Binds `manager` and makes the data device of `seat`.
std::unique_ptr<DataControl> BindDataControl(wl_registry* registry,
                                             const DataControl::Global& manager, wl_seat* seat);

}  // namespace tagsmit::wayland
