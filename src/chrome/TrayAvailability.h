#pragma once

#include <optional>

namespace zantor::tray {

// Whether the desktop shows tray icons. Where it does not, a window that would go to
// the tray goes to the task bar instead, so that it can always be reached again.
bool isAvailable();

// Tests decide for the desktop; std::nullopt asks the desktop again.
void overrideAvailability(std::optional<bool> available);

} // namespace zantor::tray
