#pragma once

#include "data/AppFolders.h"
#include "platform/Shortcuts.h"

#include <QVector>
#include <optional>

namespace zantor {

// The desktop entries that open one group: on the desktop, in the applications menu and
// at login. They follow the group: a rename renames them, a delete removes them. Named
// after the group's title, with its category's picture. Failures come back as the
// reason, in words for the user, one line each.
class GroupShortcuts {
public:
    explicit GroupShortcuts(AppFolders folders);

    // Which places hold the group's entry, as the disk has them.
    ShortcutPlaceFlags placesOf(int groupId) const;
    // Writes (`wanted`) or removes the group's entry in the place. Empty when done, else
    // why not. Throws DatabaseError.
    QString set(int groupId, ShortcutPlace place, bool wanted) const;
    // Writes the entries the group has again, with its title and picture as stored now.
    // Throws DatabaseError.
    QString refresh(int groupId) const;
    // Removes every entry of these groups, which may already be gone from the database.
    QString removeAll(const QVector<int>& groupIds) const;

private:
    // The group's entries as they are written now; nothing when the group is gone.
    std::optional<Shortcuts> storedEntries(int groupId) const;
    // Enough of the entries to find and remove them.
    Shortcuts entryFiles(int groupId) const;

    AppFolders m_folders;
};

} // namespace zantor
