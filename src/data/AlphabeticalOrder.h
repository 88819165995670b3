#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace zantor {

// What a Portuguese reader sorts by: the letters without their accents and case, then
// the accents, so that "ação" sorts beside "acao", unaccented first, and "b" with "B".
struct AlphabeticalKey {
    QString letters;
    QString accented;

    bool operator<(const AlphabeticalKey& other) const {
        if (const int byLetters = QString::compare(letters, other.letters); byLetters != 0)
            return byLetters < 0;
        return accented < other.accented;
    }

    // The key as bytes whose plain byte order is the key's order: what a database index
    // keeps and sorts by.
    QByteArray orderedBytes() const;
};

// The keys of many titles. Qt's own Unicode tables do the folding, worked out once per
// character; a full collator would load a large library's data at every start for the
// same order of ordinary titles.
class TitleFolder {
public:
    TitleFolder();
    ~TitleFolder();
    TitleFolder(const TitleFolder&) = delete;
    TitleFolder& operator=(const TitleFolder&) = delete;

    AlphabeticalKey key(const QString& title);

private:
    struct Cache;
    std::unique_ptr<Cache> m_cache;
};

// Sorts rows alphabetically by their titles; equal titles keep their order.
template <typename Row, typename TitleOf> void sortAlphabetically(QVector<Row>& rows, TitleOf titleOf) {
    if (rows.size() < 2)
        return;
    TitleFolder folder;
    std::vector<std::pair<AlphabeticalKey, qsizetype>> keys;
    keys.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        keys.emplace_back(folder.key(titleOf(rows[i])), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QVector<Row> sorted;
    sorted.reserve(rows.size());
    for (const auto& key : keys)
        sorted.append(std::move(rows[key.second]));
    rows = std::move(sorted);
}

} // namespace zantor
