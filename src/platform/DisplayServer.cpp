#include "DisplayServer.h"

#include <QByteArray>
#include <QtGlobal>

namespace zantor {

void preferX11OnWayland() {
    const bool onWayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const bool hasXWayland = qEnvironmentVariableIsSet("DISPLAY");
    const bool userChose = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (onWayland && hasXWayland && !userChose)
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace zantor
