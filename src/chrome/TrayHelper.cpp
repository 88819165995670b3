#include "TrayHelper.h"

#include "BorderlessWindow.h"
#include "TrayAvailability.h"

namespace zantor {

namespace {
constexpr int kRetryInterval = 250;
constexpr int kRetries = 12;
} // namespace

TrayHelper::TrayHelper(BorderlessWindow* window, const QIcon& icon, const QString& toolTip)
    : m_window(window)
    , m_picture(icon)
    , m_toolTip(toolTip) {
    m_retry.setInterval(kRetryInterval);
    connect(&m_retry, &QTimer::timeout, this, &TrayHelper::retryTray);
}

QSystemTrayIcon& TrayHelper::icon() {
    if (!m_icon) {
        tray::noteFirstIcon();
        m_icon = std::make_unique<QSystemTrayIcon>(m_picture);
        m_icon->setToolTip(m_toolTip);
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, &TrayHelper::restore);
    }
    return *m_icon;
}

QWidget* TrayHelper::window() const {
    return m_window;
}

void TrayHelper::minimizeToTray() {
    m_retry.stop();
    if (!tray::isAvailable()) {
        m_window->showMinimized();
        return;
    }
    m_placeBeforeTray = m_window->pos();
    m_window->hide();
    icon().show();
}

void TrayHelper::minimizeToTrayWhenReady() {
    if (tray::isAvailable()) {
        minimizeToTray();
        return;
    }
    m_retriesLeft = kRetries;
    m_retry.start();
    // A panel that comes up meanwhile is taken at once.
    if (!m_trayWatch) {
        m_trayWatch = std::make_unique<StatusNotifierWatch>();
        connect(m_trayWatch.get(), &StatusNotifierWatch::trayMayHaveComeUp, this, [this] {
            if (m_retry.isActive())
                retryTray();
        });
    }
}

void TrayHelper::retryTray() {
    if (tray::isAvailable() || --m_retriesLeft <= 0)
        minimizeToTray();
}

void TrayHelper::restore(QSystemTrayIcon::ActivationReason reason) {
    // A left click or a right click brings the window back; a double click, the middle
    // button or a pass of the pointer do nothing.
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
        restoreFromTray();
}

void TrayHelper::restoreFromTray() {
    m_window->showAt(m_placeBeforeTray);
    m_window->raise();
    m_window->activateWindow();
    if (m_icon)
        m_icon->hide();
}

} // namespace zantor
