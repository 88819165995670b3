#pragma once

#include <QString>
#include <QVector>
#include <algorithm>
#include <array>
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

    // The first letters of key(title), held in place rather than in strings of their
    // own. Where two starts differ, their keys differ the same way; equal starts leave
    // it open.
    struct KeyStart {
        std::array<char16_t, 16> letters{};
        int length = 0;

        auto operator<=>(const KeyStart& other) const {
            return std::lexicographical_compare_three_way(letters.begin(), letters.begin() + length,
                                                          other.letters.begin(),
                                                          other.letters.begin() + other.length);
        }
        bool operator==(const KeyStart& other) const { return (*this <=> other) == 0; }
    };
    KeyStart keyStart(QStringView title);

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
