#include "platform/x11/clipboard_holder.h"

#include "platform/posix/holder_process.h"
#include "platform/x11/clipboard_owner.h"

namespace tagsmit::x11 {

Status StartClipboardHolder(Connection& connection, const std::string& text) {
  // The selection is taken here, before the fork, so that it is ours when the
  // caller goes on; the holder only has to keep answering.
  ClipboardOwner owner(connection, text);
  if (Status acquired = owner.Acquire(); !acquired.ok()) return acquired;
  xcb_flush(connection.get());

  Status started =
      StartHolderProcess(xcb_get_file_descriptor(connection.get()), [&owner] { owner.Serve(); });
  if (!started.ok()) return started;
  connection.HandOver();
  return Status::Ok();
}

}  // namespace tagsmit::x11
