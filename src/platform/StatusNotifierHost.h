#pragma once

namespace zantor {

// Whether a StatusNotifier tray (KDE Plasma, GNOME's AppIndicator extension, Xfce's
// status notifier plugin) shows icons on the session bus now: its watcher is there and
// a host has registered with it.
bool statusNotifierHostRegistered();

} // namespace zantor
