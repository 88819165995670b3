#include "GroupStore.h"

#include "AlphabeticalOrder.h"
#include "DatabaseError.h"
#include "DbSession.h"
#include "FirstTitles.h"

#include <QHash>

namespace zantor {

namespace {

// The columns of a list row, its texts as their stored UTF-8 bytes: asked for text, the
// driver would have SQLite convert each one to UTF-16 first, which costs more than the
// rest of the reading together.
const QString kListColumns =
    QStringLiteral("id,CAST(substr(titulo1,1,?) AS BLOB),CAST(substr(texto1,1,?) AS BLOB),categoria,ordem");

QVector<GroupListRow> readListRows(DbSession& db, const QString& filterAndOrder, QVariantList values) {
    QVector<GroupListRow> groups;
    values.prepend(kShownTextLength);
    values.prepend(kShownTextLength);
    db.forEachRow(QStringLiteral("SELECT %1 FROM Tabela1 %2").arg(kListColumns, filterAndOrder), values,
                  [&groups](const QSqlQuery& row) {
                      groups.append({row.value(0).toInt(), QString::fromUtf8(row.value(1).toByteArray()),
                                     QString::fromUtf8(row.value(2).toByteArray()), row.value(3).toInt(),
                                     row.value(4).toInt()});
                  });
    return groups;
}

const QString kCustomOrder = QStringLiteral("order by ordem asc, id asc");

// Indexes on the titles and the custom order let the first rows be found without reading
// the whole table. A database that cannot take them (read-only, say) lists the same
// rows, only more slowly.
void indexGroupList(DbSession& db) {
    try {
        db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS Tabela1_titulo1 ON Tabela1 (titulo1)"));
        db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS Tabela1_ordem ON Tabela1 (ordem)"));
    } catch (const DatabaseError&) {
    }
}

} // namespace

QVector<GroupListRow> listGroups(const QString& groupsPath, GroupOrder order) {
    DbSession db(groupsPath);
    // Read in id order; the alphabetical order is a stable sort on top of it, so equal
    // keys stay in id order.
    QVector<GroupListRow> groups = readListRows(
        db, order == GroupOrder::Alphabetical ? QStringLiteral("order by id asc") : kCustomOrder, {});
    if (order == GroupOrder::Alphabetical)
        sortAlphabetically(groups, [](const GroupListRow& group) { return group.titulo1; });
    return groups;
}

FirstGroups listFirstGroups(const QString& groupsPath, GroupOrder order, int count) {
    DbSession db(groupsPath);
    indexGroupList(db);
    FirstGroups first;
    // One transaction, so that the count and the rows agree whoever writes meanwhile.
    db.inTransaction([&] {
        if (order == GroupOrder::Custom) {
            first.total = db.select(QStringLiteral("SELECT count(*) FROM Tabela1")).first().value(0).toInt();
            first.rows = readListRows(db, kCustomOrder + QStringLiteral(" limit ?"), {count});
            return;
        }
        // Unordered, so that SQLite may read the titles from their index alone.
        FirstTitles titles(count);
        db.forEachRow(QStringLiteral("SELECT id,CAST(substr(titulo1,1,?) AS BLOB) FROM Tabela1"),
                      {kShownTextLength}, [&titles](const QSqlQuery& row) {
                          titles.add(row.value(0).toInt(), row.value(1).toByteArray());
                      });
        first.total = titles.added();
        QVariantList ids;
        QStringList placeholders;
        for (const int id : titles.ids()) {
            ids.append(id);
            placeholders.append(QStringLiteral("?"));
        }
        if (ids.isEmpty())
            return;
        QHash<int, GroupListRow> byId;
        for (GroupListRow& row : readListRows(
                 db, QStringLiteral("where id in (%1)").arg(placeholders.join(QLatin1Char(','))), ids))
            byId.insert(row.id, std::move(row));
        for (const QVariant& id : std::as_const(ids))
            first.rows.append(byId.take(id.toInt()));
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
