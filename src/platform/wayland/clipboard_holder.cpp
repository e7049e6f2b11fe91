#include "platform/wayland/clipboard_holder.h"

#include <wayland-client.h>

#include "platform/posix/holder_process.h"
#include "platform/wayland/clipboard_formats.h"
#include "platform/wayland/selection_server.h"

namespace tagsmit::wayland {

Status StartClipboardHolder(Connection& connection, const std::string& text) {
  // The selection is set here, before the fork, so that it is the
  // clipboard's when the caller goes on; the holder only has to serve it.
  SelectionServer server(text);
  const std::unique_ptr<DataControl> control = connection.BindDataControl();
  control->SetSelection(kOfferedMimeTypes, server);
  if (Status set = connection.RoundTrip(); !set.ok()) return set;
  if (server.device_gone()) {
    return Status::Failure("the Wayland compositor did not keep Tagsmit's selection");
  }
  // Readers that asked during the round trip (a clipboard manager is quick)
  // hold descriptors the holder would not inherit: they are served here.
  server.FinishTransfers();
  // A newer copy replaced ours during the round trip: the clipboard went on
  // from our text, as it would have a moment later, and there is nothing
  // left to hold.
  if (server.replaced()) return Status::Ok();
  return StartHolderProcess(wl_display_get_fd(connection.display()),
                            [&] { server.Serve(&connection); });
}

}  // namespace tagsmit::wayland
