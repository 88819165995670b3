#pragma once

#include <optional>

namespace zantor::tray {

// Whether the desktop shows tray icons now: a StatusNotifier tray on the session bus, or
// on X11 an XEmbed tray that owns the screen's tray selection. Where neither is there, a
// window that would go to the tray goes to the task bar instead, so that it can always
// be reached again.
bool isAvailable();
// Call as the first tray icon is made, when Qt chooses the kind of tray its icons go to.
void noteFirstIcon();

// Tests decide for the desktop; std::nullopt asks the desktop again.
void overrideAvailability(std::optional<bool> available);

} // namespace zantor::tray
