#include "platform/x11/clipboard_reader.h"

#include <cstdlib>

namespace tagsmit::x11 {
namespace {

constexpr int kAnswerTimeoutMs = 5000;

using Text = Result<std::string>;

// The whole value of `property` on `window`, deleting it; sets `type`.
Text TakeProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t& type) {
  const auto cookie =
      xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
  if (!reply) return Text::Failure("the clipboard answer could not be read");
  type = reply->type;
  std::string value(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return value;
}

// Waits for the next event of `kind` about `window`.
bool WaitFor(Connection& connection, std::uint8_t kind, xcb_window_t window,
             xcb_generic_event_t*& out) {
  for (;;) {
    xcb_generic_event_t* event = connection.WaitForEvent(kAnswerTimeoutMs);
    if (!event) return false;
    const std::uint8_t type = event->response_type & 0x7F;
    const bool match =
        type == kind &&
        (kind == XCB_SELECTION_NOTIFY
             ? reinterpret_cast<xcb_selection_notify_event_t*>(event)->requestor == window
             : reinterpret_cast<xcb_property_notify_event_t*>(event)->window == window);
    if (match) {
      out = event;
      return true;
    }
    std::free(event);
  }
}

bool WaitForNewValue(Connection& connection, xcb_window_t window, xcb_atom_t property) {
  for (;;) {
    xcb_generic_event_t* event = nullptr;
    if (!WaitFor(connection, XCB_PROPERTY_NOTIFY, window, event)) return false;
    const auto& notify = *reinterpret_cast<xcb_property_notify_event_t*>(event);
    const bool ready = notify.state == XCB_PROPERTY_NEW_VALUE && notify.atom == property;
    std::free(event);
    if (ready) return true;
  }
}

}  // namespace

Result<std::string> ReadClipboard(Connection& connection) {
  xcb_connection_t* c = connection.get();
  const auto [clipboard, utf8_string, incr, property] =
      connection.Atoms({"CLIPBOARD", "UTF8_STRING", "INCR", "_TAGSMIT_CLIPBOARD"});
  const xcb_window_t window = connection.CreateHelperWindow();

  xcb_convert_selection(c, window, clipboard, utf8_string, property, XCB_CURRENT_TIME);
  xcb_flush(c);
  xcb_generic_event_t* event = nullptr;
  if (!WaitFor(connection, XCB_SELECTION_NOTIFY, window, event)) {
    return Text::Failure("the clipboard owner does not answer");
  }
  const bool refused = reinterpret_cast<xcb_selection_notify_event_t*>(event)->property == XCB_NONE;
  std::free(event);
  if (refused) return Text::Failure("the clipboard holds no text");

  xcb_atom_t type = XCB_NONE;
  Text value = TakeProperty(c, window, property, type);
  if (!value.ok() || type != incr) {
    xcb_destroy_window(c, window);
    return value;
  }
  // INCR: deleting the property (done by TakeProperty) asks for each chunk;
  // an empty chunk ends the text.
  std::string text;
  for (;;) {
    xcb_flush(c);
    if (!WaitForNewValue(connection, window, property)) {
      return Text::Failure("the clipboard owner stopped answering");
    }
    Text chunk = TakeProperty(c, window, property, type);
    if (!chunk.ok()) return chunk;
    if (chunk.value().empty()) break;
    text += chunk.value();
  }
  xcb_destroy_window(c, window);
  xcb_flush(c);
  return text;
}

}  // namespace tagsmit::x11
