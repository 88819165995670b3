"""A minimal StatusNotifier tray on the session bus: the watcher that items register
with, and a host registered with it, as KDE Plasma, GNOME's AppIndicator extension
and Xfce's plugin provide (without the signals, which Qt does not listen to). Run as
a program, it serves until it is ended; `StatusNotifierTray` starts it and reads it
from a test. A late tray comes up only once a program has asked the bus for it and
found none, as a panel that is still starting at login."""
import os
import subprocess
import sys

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM_INTERFACE = "org.kde.StatusNotifierItem"
INTROSPECTION = f"""<node>
 <interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{{sv}}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>"""


def serve(late):
    import dbus
    import dbus.lowlevel
    import dbus.service
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()

    class Watcher(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, WATCHER_PATH)
            self.items = []
            self.hosts = []
            # An item whose program leaves the bus, or drops its name, is gone.
            bus.add_signal_receiver(self.name_owner_changed, "NameOwnerChanged", "org.freedesktop.DBus")

        @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
        def RegisterStatusNotifierItem(self, service, sender=None):
            # The name may be a bus name or an object path on the caller's connection.
            name = service if not service.startswith("/") else sender
            if name not in self.items:
                self.items.append(name)

        @dbus.service.method(WATCHER, in_signature="s")
        def RegisterStatusNotifierHost(self, service):
            if service not in self.hosts:
                self.hosts.append(service)

        @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
        def Get(self, interface, name):
            return self.GetAll(interface)[name]

        @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
        def GetAll(self, interface):
            return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                    "IsStatusNotifierHostRegistered": dbus.Boolean(bool(self.hosts))}

        # Programs read the properties through the object's description, as KDE's
        # watcher gives it; the generated one would leave them out.
        @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
        def Introspect(self):
            return INTROSPECTION

        def name_owner_changed(self, name, old_owner, new_owner):
            if new_owner:
                return
            for names in (self.items, self.hosts):
                if name in names:
                    names.remove(name)

    watcher = Watcher()

    def come_up():
        bus.request_name(WATCHER)
        # The host: one name on the bus, registered with the watcher, as a panel does.
        host = f"org.kde.StatusNotifierHost-{os.getpid()}"
        bus.request_name(host)
        watcher.RegisterStatusNotifierHost(host)

    if late:
        # A connection of its own that sees every question for the watcher's name.
        monitor = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
        monitor.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.Monitoring",
                              "BecomeMonitor", "asu",
                              ([f"type='method_call',member='NameHasOwner',arg0='{WATCHER}'"], 0))

        asked_before = []

        def asked(_connection, message):
            # The bus has answered already, while the name was free; the tray comes up next.
            if message.get_member() == "NameHasOwner" and not asked_before:
                asked_before.append(True)
                GLib.idle_add(come_up)
            # Seen, not answered: a monitor that answers is cut off by the bus.
            return dbus.lowlevel.HANDLER_RESULT_HANDLED
        monitor.add_message_filter(asked)
    else:
        come_up()
    print("ready", flush=True)
    GLib.MainLoop().run()


def gdbus(*args):
    return subprocess.run(["gdbus", "call", "--session", *args], capture_output=True, text=True, timeout=10)


class StatusNotifierTray:
    """The tray above, in a process of its own on the test's session bus."""

    def __init__(self, late=False):
        self.process = subprocess.Popen([sys.executable, os.path.abspath(__file__), *(["--late"] if late else [])],
                                        stdout=subprocess.PIPE, text=True)
        if self.process.stdout.readline().strip() != "ready":
            raise AssertionError("the StatusNotifier tray did not start")

    def items(self):
        """The bus names of the items registered now."""
        reply = gdbus("--dest", WATCHER, "--object-path", WATCHER_PATH, "--method",
                      "org.freedesktop.DBus.Properties.Get", WATCHER, "RegisteredStatusNotifierItems").stdout
        # (<['org.kde.StatusNotifierItem-123-1']>,) or (<@as []>,)
        return [word.strip("'") for word in reply.replace("[", " ").replace("]", " ").replace(",", " ").split()
                if word.startswith("'")]

    def item_property(self, item, name):
        return gdbus("--dest", item, "--object-path", "/StatusNotifierItem", "--method",
                     "org.freedesktop.DBus.Properties.Get", ITEM_INTERFACE, name).stdout

    def activate(self, item):
        """What a left click on the item in the panel sends."""
        result = gdbus("--dest", item, "--object-path", "/StatusNotifierItem", "--method",
                       f"{ITEM_INTERFACE}.Activate", "0", "0")
        if result.returncode != 0:
            raise AssertionError(result.stderr)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.process.stdout.close()


if __name__ == "__main__":
    serve("--late" in sys.argv[1:])
