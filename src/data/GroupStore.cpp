#include "GroupStore.h"

#include "DbSession.h"

namespace zantor {

QVector<GroupListRow> listGroups(const QString& groupsPath, GroupOrder order) {
    const QString orderBy =
        order == GroupOrder::Alphabetical
            ? QStringLiteral("titulo1 COLLATE %1 asc").arg(QLatin1String(kAlphabeticalCollation))
            : QStringLiteral("ordem asc");
    DbSession db(groupsPath);
    QVector<GroupListRow> groups;
    for (const QSqlRecord& row : db.select(
             QStringLiteral("SELECT id,titulo1,texto1,dataUpd,categoria FROM Tabela1 order by %1, id asc")
                 .arg(orderBy))) {
        groups.append({row.value(QStringLiteral("id")).toInt(), columnText(row, QStringLiteral("titulo1")),
                       columnText(row, QStringLiteral("texto1")), columnText(row, QStringLiteral("dataUpd")),
                       columnText(row, QStringLiteral("categoria"))});
    }
    return groups;
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

} // namespace zantor
