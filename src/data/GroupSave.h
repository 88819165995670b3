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

// The values the editor's statements store for the group, in the order titulo1, texto1,
// texto2, qtd, dataUpd, categoria, texto3: every writer of groups binds these.
QVariantList storedGroupValues(const GroupContent& group);

// An item as its group's list held it when it was read: enough to find it again, or to
// see that it changed since.
struct ItemPlace {
    int groupId = 0;
    // Its place in the list.
    int index = 0;
    // Title and address as read back, unescaped.
    QString title;
    QString address;
};

// Whether a change to one stored item could be made.
enum class ItemChange {
    Done,
    // The group or the item is no longer stored as it was read; nothing was written.
    Changed,
};

// Gives the item a new address (as typed, as the editor takes one), and the group the
// date of the change. One transaction, against the item as it is stored at that moment.
ItemChange replaceItemAddress(const QString& groupsPath, const ItemPlace& item, const QString& address,
                              const QString& dataUpd);
// Takes the item out of its group: its title, its address, its arguments and the count
// together. A group left with no items stays.
ItemChange removeItem(const QString& groupsPath, const ItemPlace& item, const QString& dataUpd);

// Adds the group at the end of the custom order: one place after the largest stored
// ordem, so that two new groups never share a place. Throws DatabaseError.
void insertGroup(const QString& groupsPath, const GroupContent& group);
// Rewrites the group's title, items, date and category; its place in the custom order
// stays. Throws DatabaseError, also when no group has this id any more.
void updateGroup(const QString& groupsPath, int id, const GroupContent& group);

} // namespace zantor
