#pragma once

#include "Shortcuts.h"

namespace zantor {

// What the settings window calls each shortcut place, and the lines its reports have for
// it, in the words of the system the places belong to: a start menu and a startup folder
// on Windows, an applications menu and the session's autostart on Linux.
struct ShortcutPlaceTexts {
    // The place's check box.
    const char* box;
    const char* created;
    const char* deleted;
    const char* missing;
    // With the reason as %1.
    const char* notCreated;
    const char* notDeleted;
};

const ShortcutPlaceTexts& shortcutPlaceTexts(ShortcutPlace place);

} // namespace zantor
