#include "StatusNotifierHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace zantor {

namespace {
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
// A watcher that hangs must not hold the window back for the bus's own 25 seconds.
constexpr int kReplyTimeout = 1000;
} // namespace

bool statusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcher))
        return false;
    QDBusMessage question = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
                                                           QStringLiteral("org.freedesktop.DBus.Properties"),
                                                           QStringLiteral("Get"));
    question << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(question, QDBus::Block, kReplyTimeout);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

StatusNotifierWatch::StatusNotifierWatch(QObject* parent)
    : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto* watcher = new QDBusServiceWatcher(kWatcher, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &StatusNotifierWatch::trayMayHaveComeUp);
    bus.connect(kWatcher, QStringLiteral("/StatusNotifierWatcher"), kWatcher,
                QStringLiteral("StatusNotifierHostRegistered"), this, SIGNAL(trayMayHaveComeUp()));
}

} // namespace zantor
