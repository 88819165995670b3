#include "DisplayServer.h"

#include <QGuiApplication>
#include <QList>
#include <QMessageLogContext>
#include <QString>
#include <QVector>
#include <QWindow>
#include <algorithm>
#include <xcb/xcb.h>

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

xcb_connection_t* x11Connection() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* x11, const QByteArray& name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(x11, xcb_intern_atom(x11, 0, quint16(name.size()), name.constData()), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return found;
}

// The screen of DISPLAY (":0.1" is screen 1), as Xlib and xcb read it.
int screenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    const qsizetype dot = display.indexOf('.', colon);
    return colon >= 0 && dot > colon ? display.mid(dot + 1).toInt() : 0;
}

xcb_window_t rootWindow(xcb_connection_t* x11) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x11));
    for (int skip = screenNumber(); skip > 0 && screens.rem > 1; --skip)
        xcb_screen_next(&screens);
    return screens.data->root;
}

QVector<xcb_atom_t> atomList(xcb_connection_t* x11, xcb_window_t window, xcb_atom_t property) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        x11, xcb_get_property(x11, 0, window, property, XCB_ATOM_ATOM, 0, 4096), nullptr);
    QVector<xcb_atom_t> atoms;
    if (reply && reply->format == 32) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        atoms = QVector<xcb_atom_t>(values, values + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return atoms;
}

// A startup id ends with the time of the click that started the program: "..._TIME1234".
std::optional<quint32> startupTime(const QString& startupId) {
    const qsizetype at = startupId.lastIndexOf(QLatin1String("_TIME"));
    bool isNumber = false;
    const quint32 time = at < 0 ? 0 : startupId.mid(at + 5).toUInt(&isNumber);
    return isNumber ? std::optional<quint32>(time) : std::nullopt;
}

// The freedesktop startup notification's "remove" message, in pieces of 20 bytes.
void endStartupNotification(xcb_connection_t* x11, xcb_window_t sender, const QByteArray& startupId) {
    QByteArray message = "remove: ID=";
    for (const char c : startupId) {
        if (c == ' ' || c == '"' || c == '\\')
            message += '\\';
        message += c;
    }
    message += '\0';
    const xcb_atom_t begin = atom(x11, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(x11, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t piece{};
        piece.response_type = XCB_CLIENT_MESSAGE;
        piece.format = 8;
        piece.window = sender;
        piece.type = at == 0 ? begin : more;
        const QByteArray part = message.mid(at, 20);
        std::copy(part.cbegin(), part.cend(), piece.data.data8);
        xcb_send_event(x11, 0, rootWindow(x11), XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&piece));
    }
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

QString whyNoWindowStaysOnTop() {
    if (isWayland())
        return QStringLiteral("o Wayland não permite nesta sessão");
    xcb_connection_t* x11 = x11Connection();
    if (!x11)
        return {};
    const xcb_atom_t above = atom(x11, "_NET_WM_STATE_ABOVE");
    const QVector<xcb_atom_t> supported = atomList(x11, rootWindow(x11), atom(x11, "_NET_SUPPORTED"));
    return supported.contains(above) ? QString()
                                     : QStringLiteral("o gerenciador de janelas não permite nesta sessão");
}

bool hasXEmbedTray() {
    xcb_connection_t* x11 = x11Connection();
    if (!x11)
        return false;
    const xcb_atom_t selection = atom(x11, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber()));
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(x11, xcb_get_selection_owner(x11, selection), nullptr);
    const bool owned = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
    return owned;
}

QString activationTokenOfThisStart() {
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    return token.isEmpty() ? qEnvironmentVariable("DESKTOP_STARTUP_ID") : token;
}

bool unminimizesWindows() {
    return !isWayland();
}

void activate(QWindow* window, const QString& token) {
    if (isWayland()) {
        // Qt hands the token from the environment to the compositor as it activates.
        if (!token.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
        window->requestActivate();
        return;
    }
    xcb_connection_t* x11 = x11Connection();
    const std::optional<quint32> time = startupTime(token);
    if (!x11 || !time) {
        window->requestActivate();
        return;
    }
    // The launcher's startup notification ends, and the window manager sees the request
    // come at the time of the user's click, so that no focus-stealing rule holds it back.
    const auto id = xcb_window_t(window->winId());
    endStartupNotification(x11, id, token.toUtf8());
    const quint32 userTime = *time;
    xcb_change_property(x11, XCB_PROP_MODE_REPLACE, id, atom(x11, "_NET_WM_USER_TIME"), XCB_ATOM_CARDINAL, 32,
                        1, &userTime);
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = atom(x11, "_NET_ACTIVE_WINDOW");
    // From an application, at the user's time.
    request.data.data32[0] = 1;
    request.data.data32[1] = userTime;
    xcb_send_event(x11, 0, rootWindow(x11),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(x11);
}

} // namespace zantor::display
