#include "GroupShortcuts.h"

#include "data/CategoryStore.h"
#include "data/DatabaseError.h"
#include "data/GroupStore.h"
#include "data/TextEscaping.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace zantor {

GroupShortcuts::GroupShortcuts(AppFolders folders)
    : m_folders(std::move(folders)) {}

std::optional<Shortcuts> GroupShortcuts::storedEntries(int groupId) const {
    const DatabasePaths paths = m_folders.databasePaths();
    const std::optional<GroupDetails> group = readGroupDetails(paths.groups, groupId);
    if (!group)
        return std::nullopt;
    // The group's category picture, else Zantor's own, as a group without one shows.
    QString picture = m_folders.pictureFolder() + QStringLiteral("shortcut-icon.svg");
    for (const Category& category : loadCategories(paths.categories)) {
        const QString file = m_folders.pictureFolder() + category.imagem2;
        if (category.id == group->categoria.toInt() && !category.imagem2.isEmpty() && QFileInfo::exists(file))
            picture = file;
    }
    return Shortcuts::forGroup(m_folders.program, groupId, unescapeText(group->titulo1), picture);
}

Shortcuts GroupShortcuts::entryFiles(int groupId) const {
    return Shortcuts::forGroup(m_folders.program, groupId, {}, {});
}

ShortcutPlaceFlags GroupShortcuts::placesOf(int groupId) const {
    return entryFiles(groupId).existing();
}

QString GroupShortcuts::set(int groupId, ShortcutPlace place, bool wanted) const {
    if (!wanted)
        return entryFiles(groupId).remove(place);
    const std::optional<Shortcuts> entries = storedEntries(groupId);
    if (!entries)
        throw DatabaseError(m_folders.databasePaths().groups,
                            QStringLiteral("O grupo não existe mais; ele pode ter sido excluído."));
    return entries->write(place);
}

QString GroupShortcuts::refresh(int groupId) const {
    const ShortcutPlaceFlags places = placesOf(groupId);
    if (std::none_of(places.begin(), places.end(), [](bool exists) { return exists; }))
        return {};
    const std::optional<Shortcuts> entries = storedEntries(groupId);
    if (!entries)
        return {};
    QStringList failures;
    for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
        if (places[i])
            failures << entries->write(kShortcutPlaces[i]);
    }
    failures.removeAll(QString());
    return failures.join(QLatin1Char('\n'));
}

QString GroupShortcuts::removeAll(const QVector<int>& groupIds) const {
    QStringList failures;
    for (const int id : groupIds) {
        const Shortcuts entries = entryFiles(id);
        for (const ShortcutPlace place : kShortcutPlaces)
            failures << entries.remove(place);
    }
    failures.removeAll(QString());
    return failures.join(QLatin1Char('\n'));
}

} // namespace zantor
