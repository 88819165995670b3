#pragma once

#include "ItemListCodec.h"

#include <QString>
#include <QVariantList>
#include <QVector>

namespace zantor {

// What the group editor writes of a group, texts as the user typed them.
struct GroupContent {
    QString title;
    QVector<GroupItem> items;
    // The day of the save, "dd/mm/yyyy".
    QString dataUpd;
    // 0 when no category was chosen.
    int categoria = 0;
};

// A title of spaces alone names no group: the editor saves no such group.
bool isBlankTitle(const QString& title);

// The values the editor's statements store for the group, in the order titulo1, texto1,
// texto2, qtd, dataUpd, categoria: every writer of groups binds these.
QVariantList storedGroupValues(const GroupContent& group);

// Adds the group at the end of the custom order: one place after the largest stored
// ordem, so that two new groups never share a place. Throws DatabaseError.
void insertGroup(const QString& groupsPath, const GroupContent& group);
// Rewrites the group's title, items, date and category; its place in the custom order
// stays. Throws DatabaseError, also when no group has this id any more.
void updateGroup(const QString& groupsPath, int id, const GroupContent& group);

} // namespace zantor
