#include "TrayAvailability.h"

#include <QSystemTrayIcon>

namespace zantor::tray {

namespace {
std::optional<bool> overridden;
}

bool isAvailable() {
    return overridden.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void overrideAvailability(std::optional<bool> available) {
    overridden = available;
}

} // namespace zantor::tray
