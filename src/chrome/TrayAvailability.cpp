#include "TrayAvailability.h"

#include "platform/DisplayServer.h"
#include "platform/StatusNotifierHost.h"

namespace zantor::tray {

namespace {

std::optional<bool> overridden;

// Qt decides, as the first icon is made, whether its icons go to a StatusNotifier tray
// or to an XEmbed one, and keeps that for the life of the program. Until then either
// kind counts; Qt is never asked itself, as asking would settle it too early.
enum class IconKind { Undecided, StatusNotifier, XEmbed };
IconKind iconKind = IconKind::Undecided;

} // namespace

bool isAvailable() {
    if (overridden)
        return *overridden;
    switch (iconKind) {
    case IconKind::Undecided:
        return statusNotifierHostRegistered() || display::hasXEmbedTray();
    case IconKind::StatusNotifier:
        return statusNotifierHostRegistered();
    case IconKind::XEmbed:
        break;
    }
    return display::hasXEmbedTray();
}

void noteFirstIcon() {
    if (iconKind == IconKind::Undecided && !overridden)
        iconKind = statusNotifierHostRegistered() ? IconKind::StatusNotifier : IconKind::XEmbed;
}

void overrideAvailability(std::optional<bool> available) {
    overridden = available;
}

} // namespace zantor::tray
