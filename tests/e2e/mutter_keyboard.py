"""Gives Mutter's headless seat a keyboard, without which wl-copy and wl-paste
refuse to work there: the virtual keyboard of a RemoteDesktop session joins
the seat at its first key and stays while this process lives.
Usage: mutter_keyboard.py FILE (made once the keyboard is there)."""
import sys

from gi.repository import Gio, GLib

SERVICE = "org.gnome.Mutter.RemoteDesktop"
SHIFT = 0xFFE1

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, method, args=None, reply=None, interface=SERVICE):
    return bus.call_sync(SERVICE, path, interface, method, args,
                         GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, -1, None)


(session,) = call("/org/gnome/Mutter/RemoteDesktop", "CreateSession", reply="(o)").unpack()
call(session, "Start", interface=SERVICE + ".Session")
for pressed in (True, False):
    call(session, "NotifyKeyboardKeysym", GLib.Variant("(ub)", (SHIFT, pressed)),
         interface=SERVICE + ".Session")
open(sys.argv[1], "w").close()
GLib.MainLoop().run()
