#include "GroupSave.h"

#include "DatabaseError.h"
#include "DbSession.h"
#include "TextEscaping.h"

#include <algorithm>

namespace zantor {

QVariantList storedGroupValues(const GroupContent& group) {
    const StoredItemList items = writeItemList(group.items);
    return {storedText(group.title), items.texto1,    items.texto2, items.qtd,
            group.dataUpd,           group.categoria, items.texto3};
}

void insertGroup(const QString& groupsPath, const GroupContent& group) {
    DbSession db(groupsPath);
    // One statement reads the last place and takes the next one, so nothing can come
    // between the two.
    db.execute(
        QStringLiteral("insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,texto3,ordem) "
                       "select ?,?,?,?,?,?,?,coalesce(max(ordem),0)+1 from Tabela1"),
        storedGroupValues(group));
}

void updateGroup(const QString& groupsPath, int id, const GroupContent& group) {
    DbSession db(groupsPath);
    db.inTransaction([&] {
        // An update of a row that is gone would change nothing and still look saved.
        if (db.select(QStringLiteral("select id from Tabela1 where id=?"), {id}).isEmpty())
            throw DatabaseError(groupsPath,
                                QStringLiteral("O grupo não existe mais; ele pode ter sido excluído."));
        db.execute(
            QStringLiteral("UPDATE Tabela1 SET [titulo1]=?, [texto1]=?, [texto2]=?, [qtd]=?, [dataUpd]=?, "
                           "[categoria]=?, [texto3]=? WHERE id=?"),
            storedGroupValues(group) << id);
    });
}

namespace {

// Finds the item where it was read, else wherever the one same title and address stand
// now (an earlier item of the group may have gone meanwhile), and lets `change` rewrite
// the list. Holds the write lock from the reading to the writing.
template <typename Change>
ItemChange changeItem(const QString& groupsPath, const ItemPlace& item, const QString& dataUpd,
                      Change&& change) {
    DbSession db(groupsPath);
    ItemChange outcome = ItemChange::Changed;
    db.inTransaction([&] {
        const QVector<QSqlRecord> rows =
            db.select(QStringLiteral("select texto1,texto2,texto3 from Tabela1 where id=?"), {item.groupId});
        if (rows.isEmpty())
            return;
        const QSqlRecord& row = rows.first();
        QVector<GroupItem> items =
            editorItems(columnText(row, QStringLiteral("texto1")), columnText(row, QStringLiteral("texto2")),
                        columnText(row, QStringLiteral("texto3")));
        // The item is known by its title and address; its arguments go wherever it goes.
        const auto isWanted = [&item](const GroupItem& stored) {
            return stored.title == item.title && stored.address == item.address;
        };
        qsizetype at = item.index < items.size() && isWanted(items[item.index]) ? item.index : -1;
        if (at < 0 && std::count_if(items.begin(), items.end(), isWanted) == 1)
            at = std::find_if(items.begin(), items.end(), isWanted) - items.begin();
        if (at < 0)
            return;
        change(items, at);
        const StoredItemList stored = writeItemList(items);
        db.execute(QStringLiteral("UPDATE Tabela1 SET [texto1]=?, [texto2]=?, [qtd]=?, [dataUpd]=?, "
                                  "[texto3]=? WHERE id=?"),
                   {stored.texto1, stored.texto2, stored.qtd, dataUpd, stored.texto3, item.groupId});
        outcome = ItemChange::Done;
    });
    return outcome;
}

} // namespace

ItemChange replaceItemAddress(const QString& groupsPath, const ItemPlace& item, const QString& address,
                              const QString& dataUpd) {
    return changeItem(groupsPath, item, dataUpd,
                      [&address](QVector<GroupItem>& items, qsizetype at) { items[at].address = address; });
}

ItemChange removeItem(const QString& groupsPath, const ItemPlace& item, const QString& dataUpd) {
    return changeItem(groupsPath, item, dataUpd,
                      [](QVector<GroupItem>& items, qsizetype at) { items.removeAt(at); });
}

} // namespace zantor
