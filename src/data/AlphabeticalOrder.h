#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QVector>
#include <algorithm>
#include <utility>
#include <vector>

namespace zantor {

// Alphabetical order as a Portuguese reader expects it: letter case and accents do not
// split the list ("ação" beside "acao", "b" beside "B"). Equal titles keep their order.
template <typename Row, typename TitleOf> void sortAlphabetically(QVector<Row>& rows, TitleOf titleOf) {
    if (rows.size() < 2)
        return;
    QCollator collator(QLocale(QLocale::Portuguese, QLocale::Brazil));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // One sort key per title, compared as bytes: far cheaper than asking the collator
    // at every comparison of the sort.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        keys.emplace_back(collator.sortKey(titleOf(rows[i])), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QVector<Row> sorted;
    sorted.reserve(rows.size());
    for (const auto& key : keys)
        sorted.append(std::move(rows[key.second]));
    rows = std::move(sorted);
}

} // namespace zantor
