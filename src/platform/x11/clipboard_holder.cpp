#include "platform/x11/clipboard_holder.h"

#include "platform/x11/clipboard_owner.h"

namespace tagsmit::x11 {
namespace {

constexpr char kRingBell = 'b';

}  // namespace

bool StartedHolder::RingBell() {
  return line_.Send(kRingBell);
}

Result<StartedHolder> StartClipboardHolder(Connection& connection, const std::string& text) {
  // The selection is taken here, before the fork, so that it is ours when the
  // caller goes on; the holder only has to keep answering.
  ClipboardOwner owner(connection, text);
  if (Status acquired = owner.Acquire(); !acquired.ok()) {
    return Result<StartedHolder>::Failure(acquired.error());
  }
  xcb_flush(connection.get());

  xcb_connection_t* c = connection.get();
  Result<HolderLine> started =
      StartHolderAfterWord(xcb_get_file_descriptor(c), [&owner, c](char word) {
        if (word == kRingBell) {
          xcb_bell(c, 0);
          xcb_flush(c);
        }
        owner.Serve();
      });
  if (!started.ok()) return Result<StartedHolder>::Failure(started.error());
  connection.HandOver();
  return StartedHolder(std::move(started).value());
}

}  // namespace tagsmit::x11
