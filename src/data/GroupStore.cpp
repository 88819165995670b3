#include "GroupStore.h"

#include "AlphabeticalOrder.h"
#include "DbSession.h"

namespace zantor {

QVector<GroupListRow> listGroups(const QString& groupsPath, GroupOrder order) {
    // Read in id order; the chosen order is a stable sort on top of it, so equal keys
    // stay in id order.
    const QString orderBy =
        order == GroupOrder::Alphabetical ? QStringLiteral("id asc") : QStringLiteral("ordem asc, id asc");
    DbSession db(groupsPath);
    QVector<GroupListRow> groups;
    // The texts come as their stored UTF-8 bytes: asked for text, the driver would have
    // SQLite convert each one to UTF-16 first, which costs more than the rest of the
    // reading together.
    db.forEachRow(
        QStringLiteral(
            "SELECT id,CAST(substr(titulo1,1,?) AS BLOB),CAST(substr(texto1,1,?) AS BLOB),categoria,"
            "ordem FROM Tabela1 order by %1")
            .arg(orderBy),
        {kShownTextLength, kShownTextLength}, [&groups](const QSqlQuery& row) {
            groups.append({row.value(0).toInt(), QString::fromUtf8(row.value(1).toByteArray()),
                           QString::fromUtf8(row.value(2).toByteArray()), row.value(3).toInt(),
                           row.value(4).toInt()});
        });
    if (order == GroupOrder::Alphabetical)
        sortAlphabetically(groups, [](const GroupListRow& group) { return group.titulo1; });
    return groups;
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
    const auto rows = db.select(
        QStringLiteral("SELECT titulo1,texto1,texto2,qtd,dataUpd,categoria FROM Tabela1 where id =?"), {id});
    if (rows.isEmpty())
        return std::nullopt;
    const QSqlRecord& row = rows.first();
    return GroupDetails{
        columnText(row, QStringLiteral("titulo1")), columnText(row, QStringLiteral("texto1")),
        columnText(row, QStringLiteral("texto2")),  columnText(row, QStringLiteral("qtd")),
        columnText(row, QStringLiteral("dataUpd")), columnText(row, QStringLiteral("categoria"))};
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
