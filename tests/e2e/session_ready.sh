#!/bin/sh
# A compositor's start-up command: writes the addresses of its session where
# the test reads them, then keeps the session up until the test ends it.
# Usage: session_ready.sh FILE
for name in DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS XAUTHORITY SWAYSOCK; do
  eval "value=\${$name:-}"
  [ -z "$value" ] || echo "$name=$value"
done >"$1.part" && mv "$1.part" "$1"
exec sleep infinity
