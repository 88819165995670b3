#include "DisplayServer.h"

#include <QGuiApplication>
#include <QList>
#include <QMessageLogContext>
#include <QString>

namespace zantor::display {

namespace {

const char kPlatformVariable[] = "QT_QPA_PLATFORM";
const QByteArray kWindowless = QByteArrayLiteral("offscreen");

QByteArray preferredPlatforms() {
    const bool onWayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const bool onX11 = qEnvironmentVariableIsSet("DISPLAY");
    if (onWayland && onX11)
        return QByteArrayLiteral("xcb;wayland");
    return onWayland ? QByteArrayLiteral("wayland") : QByteArrayLiteral("xcb");
}

bool namesWindowless(const QByteArray& platforms) {
    for (const QByteArray& platform : platforms.split(';')) {
        if (platform.split(':').first() == kWindowless)
            return true;
    }
    return false;
}

// What Qt says while its platforms look for a display, held back until it is known
// whether any display answered.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

void holdMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg)
        previousHandler(type, context, text);
    else
        heldMessages.append({type, context.category ? context.category : "default", text});
}

bool isWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

PlatformChoice::PlatformChoice()
    : m_userChose(qEnvironmentVariableIsSet(kPlatformVariable))
    , m_userChoice(qgetenv(kPlatformVariable)) {
    QByteArray platforms = m_userChose ? m_userChoice : preferredPlatforms();
    m_fallbackAdded = !namesWindowless(platforms);
    if (m_fallbackAdded)
        platforms += ';' + kWindowless;
    qputenv(kPlatformVariable, platforms);
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(holdMessages);
}

PlatformChoice::~PlatformChoice() {
    qInstallMessageHandler(previousHandler);
    if (reachedDisplay()) {
        for (const HeldMessage& message : std::as_const(heldMessages)) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            previousHandler(message.type, context, message.text);
        }
    }
    heldMessages.clear();
    if (m_userChose)
        qputenv(kPlatformVariable, m_userChoice);
    else
        qunsetenv(kPlatformVariable);
}

bool PlatformChoice::reachedDisplay() const {
    if (!m_reached)
        m_reached = !m_fallbackAdded || QGuiApplication::platformName().toLatin1() != kWindowless;
    return *m_reached;
}

bool placesWindows() {
    return !isWayland();
}

bool keepsWindowsOnTop() {
    return !isWayland();
}

bool hasXEmbedTrays() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace zantor::display
