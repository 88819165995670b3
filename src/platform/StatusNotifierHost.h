#pragma once

#include <QObject>

namespace zantor {

// Whether a StatusNotifier tray (KDE Plasma, GNOME's AppIndicator extension, Xfce's
// status notifier plugin) shows icons on the session bus now: its watcher is there and
// a host has registered with it.
bool statusNotifierHostRegistered();

// Tells when a StatusNotifier tray may have come up: its watcher appeared on the bus or
// said that a host registered. A panel started after the program, as at a login, is seen
// at once.
class StatusNotifierWatch : public QObject {
    Q_OBJECT
public:
    explicit StatusNotifierWatch(QObject* parent = nullptr);

signals:
    void trayMayHaveComeUp();
};

} // namespace zantor
