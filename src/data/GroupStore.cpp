#include "GroupStore.h"

#include "DbSession.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace zantor {

namespace {

void sortAlphabetically(QVector<GroupListRow>& groups) {
    if (groups.size() < 2)
        return;
    QCollator collator(QLocale(QLocale::Portuguese, QLocale::Brazil));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // One sort key per title, compared as bytes: far cheaper than asking the collator
    // at every comparison of the sort.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(groups.size());
    for (qsizetype i = 0; i < groups.size(); ++i)
        keys.emplace_back(collator.sortKey(groups[i].titulo1), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QVector<GroupListRow> sorted;
    sorted.reserve(groups.size());
    for (const auto& key : keys)
        sorted.append(std::move(groups[key.second]));
    groups = std::move(sorted);
}

} // namespace

QVector<GroupListRow> listGroups(const QString& groupsPath, GroupOrder order) {
    // Read in id order; the chosen order is a stable sort on top of it, so equal keys
    // stay in id order.
    const QString orderBy = order == GroupOrder::Alphabetical ? QStringLiteral("id asc")
                                                              : QStringLiteral("ordem asc, id asc");
    DbSession db(groupsPath);
    QVector<GroupListRow> groups;
    db.forEachRow(QStringLiteral("SELECT id,titulo1,texto1,categoria,ordem FROM Tabela1 order by %1").arg(orderBy),
                  {}, [&groups](const QSqlQuery& row) {
                      groups.append({row.value(0).toInt(), row.value(1).toString(), row.value(2).toString(),
                                     row.value(3).toInt(), row.value(4).toInt()});
                  });
    if (order == GroupOrder::Alphabetical)
        sortAlphabetically(groups);
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

void storeCustomOrder(const QString& groupsPath, const QVector<int>& ids) {
    DbSession db(groupsPath);
    db.inTransaction([&] {
        for (qsizetype position = 0; position < ids.size(); ++position)
            db.execute(QStringLiteral("UPDATE Tabela1 SET [ordem]=? WHERE id=?"), {position, ids[position]});
    });
}

} // namespace zantor
