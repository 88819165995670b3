#include "TrayAvailability.h"

#include "platform/DisplayServer.h"
#include "platform/StatusNotifierHost.h"

#include <QSystemTrayIcon>

namespace zantor::tray {

namespace {
std::optional<bool> overridden;
// Qt decides once, the first time it is asked, whether its tray icons go to a
// StatusNotifier host, and keeps that answer for the life of the program.
bool qtDecidedWithoutHost = false;
} // namespace

bool isAvailable() {
    if (overridden)
        return *overridden;
    // Until Qt has decided, a host that came up late still takes the icons (Qt is
    // first asked when the first icon is made).
    if (!qtDecidedWithoutHost && statusNotifierHostRegistered())
        return true;
    // Qt's own answer adds nothing but XEmbed trays, and asking it settles the above.
    if (!display::hasXEmbedTrays())
        return false;
    qtDecidedWithoutHost = true;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void overrideAvailability(std::optional<bool> available) {
    overridden = available;
}

} // namespace zantor::tray
