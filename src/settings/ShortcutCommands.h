#pragma once

#include "ShortcutFlags.h"
#include "platform/Shortcuts.h"

#include <QString>
#include <array>

namespace zantor {

// Which places' boxes are ticked, in the order of kShortcutPlaces.
using ShortcutTicks = ShortcutPlaceFlags;

// What a shortcut command tells the user: one line per place it acted on.
struct ShortcutReport {
    QString text;
    // A shortcut could not be written or deleted.
    bool failed = false;
};

// The shortcut buttons and the remake of the settings window. A place whose entry was
// written gets the flag "1", one whose entry was deleted "0"; a place where that failed
// keeps its flag and has a line that says where and why.

// Writes the entry of every ticked place, replacing one that is there.
ShortcutReport createShortcuts(const Shortcuts& shortcuts, const ShortcutTicks& ticked, ShortcutFlags& flags);
// Deletes the entry of every ticked place; a missing entry has its own line.
ShortcutReport deleteShortcuts(const Shortcuts& shortcuts, const ShortcutTicks& ticked, ShortcutFlags& flags);
// Writes the entry of every ticked place and deletes that of every clear one, so that
// the flags follow the boxes. Silent: the report holds only what failed.
ShortcutReport remakeShortcuts(const Shortcuts& shortcuts, const ShortcutTicks& ticked, ShortcutFlags& flags);

} // namespace zantor
