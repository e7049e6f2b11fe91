#include "platform/x11/clipboard_owner.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/utf8.h"

namespace tagsmit::x11 {
namespace {

template <typename Event>
const Event& As(const xcb_generic_event_t* event) {
  return *reinterpret_cast<const Event*>(event);
}

}  // namespace

ClipboardOwner::ClipboardOwner(Connection& connection, std::string_view text)
    : connection_(connection), text_(text) {
  // Room for the request header; the length counts 4-byte units. The plain
  // limit of the connection setup (256 KiB) saves asking for BIG-REQUESTS.
  const std::size_t max_request = xcb_get_setup(connection_.get())->maximum_request_length * 4u;
  chunk_size_ = std::min<std::size_t>(max_request - 64, 256 * 1024);
  // The helper window and the first ask for the server's time go out with
  // the atoms: one round trip for all three.
  const auto [clipboard, targets, timestamp, utf8_string, text_target, incr] = connection_.Atoms(
      {"CLIPBOARD", "TARGETS", "TIMESTAMP", "UTF8_STRING", "TEXT", "INCR"}, [this] {
        window_ = connection_.CreateHelperWindow();
        connection_.AskServerTime(window_);
      });
  clipboard_ = clipboard;
  targets_ = targets;
  timestamp_ = timestamp;
  utf8_string_ = utf8_string;
  text_atom_ = text_target;
  incr_ = incr;
}

Status ClipboardOwner::Acquire() {
  xcb_connection_t* c = connection_.get();
  // A client that takes the selection between our reading the server's time
  // and our asking for it makes the server ignore our older time: ask again
  // with a fresh one, so that the later request wins. The first time was
  // asked for with the atoms.
  for (int attempt = 0; attempt < kAcquireAttempts; ++attempt) {
    if (attempt > 0) connection_.AskServerTime(window_);
    const Result<xcb_timestamp_t> now = connection_.AwaitServerTime(window_);
    if (!now.ok()) return Status::Failure(now.error());
    acquired_ = now.value();
    xcb_set_selection_owner(c, window_, clipboard_, acquired_);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, clipboard_), nullptr);
    const bool ours = owner && owner->owner == window_;
    std::free(owner);
    if (ours || TakenFromUsSince()) return Status::Ok();
  }
  return Status::Failure("the X server did not give Tagsmit the clipboard");
}

bool ClipboardOwner::TakenFromUsSince() {
  // The server tells an owner that it lost the selection before it answers
  // who owns it now, so the news is among the events already read.
  bool taken = false;
  while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_.get())) {
    taken = taken || ((event->response_type & 0x7F) == XCB_SELECTION_CLEAR &&
                      As<xcb_selection_clear_event_t>(event).selection == clipboard_);
    early_events_.emplace_back(event);
  }
  return taken;
}

void ClipboardOwner::Serve() {
  for (const EventPointer& event : early_events_) {
    if (!Handle(*event)) return;
  }
  early_events_.clear();
  for (;;) {
    const EventPointer event{NextEvent()};
    if (event) {
      if (!Handle(*event)) return;
    } else if (xcb_connection_has_error(connection_.get())) {
      return;
    } else {
      for (const Transfer& idle : transfers_.EndIdle(Clock::now())) Release(idle.requestor);
      xcb_flush(connection_.get());
    }
  }
}

xcb_generic_event_t* ClipboardOwner::NextEvent() {
  const std::optional<Clock::time_point> idle_end = transfers_.NextIdleEnd();
  if (!idle_end) return xcb_wait_for_event(connection_.get());
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*idle_end - Clock::now());
  return connection_.WaitForEvent(static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
}

bool ClipboardOwner::Handle(const xcb_generic_event_t& event) {
  bool lost = false;
  switch (event.response_type & 0x7F) {
    case XCB_SELECTION_REQUEST:
      Answer(As<xcb_selection_request_event_t>(&event));
      break;
    case XCB_SELECTION_CLEAR:
      lost = As<xcb_selection_clear_event_t>(&event).selection == clipboard_;
      break;
    case XCB_PROPERTY_NOTIFY:
      SendChunk(As<xcb_property_notify_event_t>(&event));
      break;
    case XCB_DESTROY_NOTIFY:
      transfers_.EndAllTo(As<xcb_destroy_notify_event_t>(&event).window);
      break;
    default:  // errors about requestors that went away, among others
      break;
  }
  xcb_flush(connection_.get());
  return !lost;
}

void ClipboardOwner::Answer(const xcb_selection_request_event_t& request) {
  // Requests from before we owned the selection get nothing.
  const bool in_time = request.time == XCB_CURRENT_TIME || request.time >= acquired_;
  // Obsolete clients name no property: the target serves as one.
  const xcb_atom_t property = request.property == XCB_NONE ? request.target : request.property;
  const bool done = request.selection == clipboard_ && in_time &&
                    Convert(request.requestor, property, request.target);

  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = done ? property : static_cast<xcb_atom_t>(XCB_NONE);
  xcb_send_event(connection_.get(), 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&notify));
}

bool ClipboardOwner::Convert(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t target) {
  xcb_connection_t* c = connection_.get();
  if (target == targets_) {
    const xcb_atom_t offered[] = {targets_, timestamp_, utf8_string_, XCB_ATOM_STRING, text_atom_};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_ATOM, 32,
                        std::size(offered), offered);
    return true;
  }
  if (target == timestamp_) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_INTEGER, 32, 1,
                        &acquired_);
    return true;
  }
  std::string_view data;
  xcb_atom_t type;
  if (target == utf8_string_ || target == text_atom_) {
    data = text_;
    type = utf8_string_;
  } else if (target == XCB_ATOM_STRING) {
    data = Latin1();
    type = XCB_ATOM_STRING;
  } else {
    return false;
  }

  if (data.size() <= chunk_size_) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, type, 8,
                        static_cast<std::uint32_t>(data.size()), data.data());
    return true;
  }
  // Too large for one request: announce INCR and send chunks each time the
  // requestor deletes the property, until its window goes away. With every
  // transfer under way read, the request is refused.
  const std::optional<Transfer> gone =
      transfers_.Start({requestor, property, type, data, {Clock::now(), false}});
  if (gone && gone->requestor == requestor && gone->property == property) return false;
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, requestor, XCB_CW_EVENT_MASK, &events);
  const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(data.size(), UINT32_MAX));
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, incr_, 32, 1, &size);
  if (gone) Release(gone->requestor);
  return true;
}

void ClipboardOwner::SendChunk(const xcb_property_notify_event_t& deleted) {
  if (deleted.state != XCB_PROPERTY_DELETE) return;
  Transfer* transfer = transfers_.Find(deleted.window, deleted.atom);
  if (!transfer) return;
  // The last chunk is empty: that ends the transfer.
  const std::string_view chunk = transfer->unsent.substr(0, chunk_size_);
  xcb_change_property(connection_.get(), XCB_PROP_MODE_REPLACE, transfer->requestor,
                      transfer->property, transfer->type, 8,
                      static_cast<std::uint32_t>(chunk.size()), chunk.data());
  transfer->unsent.remove_prefix(chunk.size());
  transfer->progress = {Clock::now(), true};
  if (chunk.empty()) {
    const xcb_window_t requestor = transfer->requestor;
    transfers_.End(requestor, transfer->property);
    Release(requestor);
  }
}

std::string_view ClipboardOwner::Latin1() {
  if (!latin1_) latin1_ = Latin1FromUtf8(text_);
  return *latin1_;
}

void ClipboardOwner::Release(xcb_window_t requestor) {
  if (transfers_.AnyTo(requestor)) return;
  const std::uint32_t no_events = XCB_EVENT_MASK_NO_EVENT;
  xcb_change_window_attributes(connection_.get(), requestor, XCB_CW_EVENT_MASK, &no_events);
}

}  // namespace tagsmit::x11
