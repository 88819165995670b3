#pragma once

#include "DatabasePaths.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <stdexcept>

namespace zantor {

// A file that is not a group file Zantor can read: the message names the field and the
// group or item it belongs to.
class ExchangeFormatError : public std::runtime_error {
public:
    explicit ExchangeFormatError(const QString& message);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// Which of a group's desktop entries exist: on the desktop, in the applications menu, at
// login. An export carries them; an import only says which the file asks for.
using GroupShortcutFlags = std::array<bool, 3>;

// A group the import added, with the entries the file asks for it.
struct ImportedShortcuts {
    int groupId = 0;
    GroupShortcutFlags places{};
};

// What an import did, told line by line to the user.
struct ImportReport {
    int imported = 0;
    // One line for each group whose category had to be replaced.
    QStringList notes;
    // The new groups that had any desktop entry where they were exported.
    QVector<ImportedShortcuts> shortcuts;
};

struct GroupExport {
    QByteArray json;
    int groupCount = 0;
};

// Every group as a JSON document (the form is described in the README): title, category
// title, items with their titles and addresses, place in the custom order and date of
// the last save, and which desktop entries `shortcutsOf` finds for it (none, without
// one), in the custom order. Throws DatabaseError.
GroupExport exportGroups(const DatabasePaths& paths,
                         const std::function<GroupShortcutFlags(int groupId)>& shortcutsOf = {});

// Adds the groups of such a document as new groups, stored byte for byte as the editor
// stores what was typed, after the groups already there. The whole document is checked
// first and written in one transaction: a bad field or a failing write leaves the
// databases as they were. Groups without a date take `today`. Throws
// ExchangeFormatError or DatabaseError.
ImportReport importGroups(const DatabasePaths& paths, const QByteArray& json, const QDate& today);

} // namespace zantor
