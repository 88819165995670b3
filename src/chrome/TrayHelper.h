#pragma once

#include "platform/StatusNotifierHost.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>

namespace zantor {

class BorderlessWindow;

// A window's own tray icon: the window hides into it, and a left click or a right
// click on it brings the window back where it was and takes the icon away. One icon
// per window, shown at most once; the window holds it as a member.
class TrayHelper : public QObject {
    Q_OBJECT
public:
    TrayHelper(BorderlessWindow* window, const QIcon& icon, const QString& toolTip);

    // Hides the window into the tray; where the desktop has no tray, minimises it to
    // the task bar instead.
    void minimizeToTray();
    // For the start of the program, when the tray host may still be starting: waits a
    // little for a tray (a StatusNotifier tray that comes up is taken at once) before
    // falling back to the task bar; the icon is made only once a tray is there.
    void minimizeToTrayWhenReady();

    bool isInTray() const { return m_icon && m_icon->isVisible(); }
    QWidget* window() const;
    // What a click on the icon does: the window comes back where it was, in front.
    void restoreFromTray();
    // Made on first use: Qt chooses the kind of tray an icon goes to as the first icon
    // is made, and a tray may come up after the window.
    QSystemTrayIcon& icon();

private:
    void restore(QSystemTrayIcon::ActivationReason reason);
    void retryTray();

    BorderlessWindow* m_window;
    QIcon m_picture;
    QString m_toolTip;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QPoint m_placeBeforeTray;
    QTimer m_retry;
    int m_retriesLeft = 0;
    // While waiting: a StatusNotifier tray that says it came up.
    std::unique_ptr<StatusNotifierWatch> m_trayWatch;
};

} // namespace zantor
