#include "GroupStore.h"

#include "AlphabeticalOrder.h"
#include "DatabaseError.h"
#include "DbSession.h"

namespace zantor {

namespace {

// The columns of a list row, its texts as their stored UTF-8 bytes: asked for text, the
// driver would have SQLite convert each one to UTF-16 first, which costs more than the
// rest of the reading together.
const QString kListColumns =
    QStringLiteral("id,CAST(substr(titulo1,1,?) AS BLOB),CAST(substr(texto1,1,?) AS BLOB),categoria,ordem");

template <typename OnRow>
void forEachListRow(DbSession& db, const QString& fromAndOrder, QVariantList values, OnRow&& onRow) {
    values.prepend(kShownTextLength);
    values.prepend(kShownTextLength);
    db.forEachRow(QStringLiteral("SELECT %1 FROM %2").arg(kListColumns, fromAndOrder), values,
                  [&onRow](const QSqlQuery& row) {
                      onRow(GroupListRow{row.value(0).toInt(), QString::fromUtf8(row.value(1).toByteArray()),
                                         QString::fromUtf8(row.value(2).toByteArray()), row.value(3).toInt(),
                                         row.value(4).toInt()});
                  });
}

const QString kCustomOrder = QStringLiteral("Tabela1 order by ordem asc, id asc");
// The stored key sorts as sortAlphabetically does, and the id breaks its ties as the
// stable sort of rows read in id order does.
const QString kAlphabeticalOrder =
    QStringLiteral("ChavesTitulo JOIN Tabela1 USING (id) order by ChavesTitulo.chave asc, id asc");

// Whether no key is missing and, when `countingRows`, whether there is a key row for
// every group. The table's triggers keep one for every group, whatever program writes;
// one that dropped them could still leave one out. Counting them reads the whole key
// table, which the whole list can afford and the first screen cannot: a group left out
// there is found by the reading of the rest, which then shows the list again.
bool keysComplete(DbSession& db, bool countingRows) {
    if (!db.select(QStringLiteral("SELECT 1 FROM ChavesTitulo WHERE chave IS NULL LIMIT 1")).isEmpty())
        return false;
    if (!countingRows)
        return true;
    const QSqlRecord counts =
        db.select(
              QStringLiteral("SELECT (SELECT count(*) FROM Tabela1), (SELECT count(*) FROM ChavesTitulo)"))
            .first();
    return counts.value(0).toInt() == counts.value(1).toInt();
}

// Makes the keys of the groups that lack one, from the very text a list sorts by,
// whoever wrote the title.
void storeMissingKeys(DbSession& db) {
    db.execute(QStringLiteral("DELETE FROM ChavesTitulo WHERE id NOT IN (SELECT id FROM Tabela1)"));
    db.execute(QStringLiteral("INSERT OR IGNORE INTO ChavesTitulo (id) SELECT id FROM Tabela1"));
    TitleFolder folder;
    QVector<QVariantList> keys;
    db.forEachRow(QStringLiteral("SELECT id,CAST(substr(titulo1,1,?) AS BLOB) FROM Tabela1 "
                                 "WHERE id IN (SELECT id FROM ChavesTitulo WHERE chave IS NULL)"),
                  {kShownTextLength}, [&](const QSqlQuery& row) {
                      keys.append({folder.key(QString::fromUtf8(row.value(1).toByteArray())).orderedBytes(),
                                   row.value(0)});
                  });
    db.executeForEach(QStringLiteral("UPDATE ChavesTitulo SET chave=? WHERE id=?"), keys);
}

// Whether the alphabetical order can be read off the stored keys, once the missing ones
// are made. False where the database has no keys (an older one that could not be
// brought up to date) or cannot take them (a read-only one); the list is then sorted in
// memory, to the same order.
bool sortKeysStored(DbSession& db, bool countingRows) {
    if (db.select(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name='ChavesTitulo'"))
            .isEmpty())
        return false;
    if (keysComplete(db, countingRows))
        return true;
    try {
        // Under the write lock from the first reading, so that no title changes between
        // its reading and the writing of its key.
        db.inTransaction([&db] {
            if (!keysComplete(db, true))
                storeMissingKeys(db);
        });
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

QVector<GroupListRow> sortedInMemory(DbSession& db) {
    QVector<GroupListRow> groups;
    // Read in id order; the alphabetical order is a stable sort on top of it, so equal
    // keys stay in id order.
    forEachListRow(db, QStringLiteral("Tabela1 order by id asc"), {},
                   [&groups](GroupListRow&& row) { groups.append(std::move(row)); });
    sortAlphabetically(groups, [](const GroupListRow& group) { return group.titulo1; });
    return groups;
}

// Whether the alphabetical order can be read off the stored keys. Writes the missing
// ones, so it comes before any transaction that reads.
bool readsStoredKeys(DbSession& db, GroupOrder order, bool wholeList) {
    return order == GroupOrder::Alphabetical && sortKeysStored(db, wholeList);
}

bool countStored(DbSession& db) {
    return !db.select(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name='ContagemGrupos'"))
                .isEmpty();
}

// The number of groups as stored, without counting them, where the database keeps it
// (all but an older one that could not be brought up to date).
int groupCount(DbSession& db) {
    const QVector<QSqlRecord> rows =
        db.select(countStored(db) ? QStringLiteral("SELECT total FROM ContagemGrupos")
                                  : QStringLiteral("SELECT count(*) FROM Tabela1"));
    return rows.isEmpty() ? 0 : rows.first().value(0).toInt();
}

// The table's triggers keep the stored count whatever program writes; one that dropped
// them leaves it wrong, and the whole list, which reads every group anyway, counts
// again. A database that cannot be written keeps its count, and its first window the
// wrong number until the whole list is read.
void correctStoredCount(DbSession& db) {
    if (!countStored(db))
        return;
    const QSqlRecord counts =
        db.select(QStringLiteral("SELECT (SELECT count(*) FROM Tabela1), (SELECT total FROM ContagemGrupos)"))
            .first();
    if (!counts.value(1).isNull() && counts.value(0).toInt() == counts.value(1).toInt())
        return;
    try {
        db.inTransaction([&db] {
            db.execute(QStringLiteral(
                "INSERT OR REPLACE INTO ContagemGrupos (id, total) SELECT 1, count(*) FROM Tabela1"));
        });
    } catch (const DatabaseError&) {
    }
}

// The first `count` rows in `order`, all of them when `count` is negative.
template <typename OnRow>
void forEachGroupIn(DbSession& db, GroupOrder order, bool storedKeys, int count, OnRow&& onRow) {
    const QString limit = QStringLiteral(" limit ?");
    if (order == GroupOrder::Custom) {
        forEachListRow(db, kCustomOrder + limit, {count}, onRow);
    } else if (storedKeys) {
        forEachListRow(db, kAlphabeticalOrder + limit, {count}, onRow);
    } else {
        QVector<GroupListRow> groups = sortedInMemory(db);
        if (count >= 0 && count < groups.size())
            groups.resize(count);
        for (GroupListRow& group : groups)
            onRow(std::move(group));
    }
}

} // namespace

void forEachGroup(const QString& groupsPath, GroupOrder order,
                  const std::function<void(GroupListRow&&)>& onRow) {
    DbSession db(groupsPath);
    correctStoredCount(db);
    forEachGroupIn(db, order, readsStoredKeys(db, order, true), -1, onRow);
}

QVector<GroupListRow> listGroups(const QString& groupsPath, GroupOrder order) {
    QVector<GroupListRow> groups;
    forEachGroup(groupsPath, order, [&groups](GroupListRow&& row) { groups.append(std::move(row)); });
    return groups;
}

FirstGroups listFirstGroups(const QString& groupsPath, GroupOrder order, int count) {
    DbSession db(groupsPath);
    const bool storedKeys = readsStoredKeys(db, order, false);
    FirstGroups first;
    // One transaction, so that the count and the rows agree whoever writes meanwhile.
    db.inTransaction([&] {
        first.total = groupCount(db);
        forEachGroupIn(db, order, storedKeys, count,
                       [&first](GroupListRow&& row) { first.rows.append(std::move(row)); });
    });
    return first;
}

void deleteGroups(const QString& groupsPath, const QVector<int>& ids) {
    DbSession db(groupsPath);
    db.inTransaction([&] {
        for (int id : ids)
            db.execute(QStringLiteral("DELETE from Tabela1 WHERE id=?"), {id});
    });
}

std::optional<GroupDetails> readGroupDetails(const QString& groupsPath, int id) {
    DbSession db(groupsPath);
    // Every column: a database from before arguments existed that could not be given
    // their column (a read-only one) still reads, with no arguments.
    const auto rows = db.select(QStringLiteral("SELECT * FROM Tabela1 where id =?"), {id});
    if (rows.isEmpty())
        return std::nullopt;
    const QSqlRecord& row = rows.first();
    return GroupDetails{
        columnText(row, QStringLiteral("titulo1")), columnText(row, QStringLiteral("texto1")),
        columnText(row, QStringLiteral("texto2")),  columnText(row, QStringLiteral("qtd")),
        columnText(row, QStringLiteral("dataUpd")), columnText(row, QStringLiteral("categoria")),
        columnText(row, QStringLiteral("texto3"))};
}

std::optional<QString> readResourceList(const QString& groupsPath, int id) {
    DbSession db(groupsPath);
    const auto rows = db.select(QStringLiteral("select texto2 from Tabela1 where id=?"), {id});
    if (rows.isEmpty())
        return std::nullopt;
    return columnText(rows.first(), QStringLiteral("texto2"));
}

void storeCustomOrder(const QString& groupsPath, const QVector<int>& ids) {
    DbSession db(groupsPath);
    db.inTransaction([&] {
        for (qsizetype position = 0; position < ids.size(); ++position)
            db.execute(QStringLiteral("UPDATE Tabela1 SET [ordem]=? WHERE id=?"), {position, ids[position]});
    });
}

} // namespace zantor
