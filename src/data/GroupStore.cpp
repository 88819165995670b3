#include "GroupStore.h"

#include "DbSession.h"

#include <QHash>
#include <algorithm>
#include <string>
#include <vector>

namespace zantor {

namespace {

// What a Portuguese reader sorts by: the letters without their accents and case, then
// the accents, so that "ação" sorts beside "acao", unaccented first, and "b" with "B".
// Qt's own Unicode tables do the folding; a full collator would load a large
// library's data at every start for the same order of ordinary titles.
struct AlphabeticalKey {
    QString letters;
    QString accented;

    bool operator<(const AlphabeticalKey& other) const {
        if (const int byLetters = QString::compare(letters, other.letters); byLetters != 0)
            return byLetters < 0;
        return accented < other.accented;
    }
};

// Folds titles one character at a time: plain ASCII inline, and every other character
// through its decomposed, case-folded form, worked out once per character and kept.
class TitleFolder {
public:
    AlphabeticalKey key(const QString& title) {
        m_accented.clear();
        bool hasMarks = false;
        for (const QChar c : title) {
            const char16_t code = c.unicode();
            if (code < 0x80) {
                m_accented.push_back(code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code);
                continue;
            }
            const Folded& folded = fold(code);
            m_accented.append(folded.text);
            hasMarks = hasMarks || folded.hasMarks;
        }
        AlphabeticalKey key;
        key.accented = QString::fromStdU16String(m_accented);
        if (!hasMarks) {
            key.letters = key.accented;
            return key;
        }
        m_letters.clear();
        for (const char16_t code : m_accented) {
            if (QChar::category(code) != QChar::Mark_NonSpacing)
                m_letters.push_back(code);
        }
        key.letters = QString::fromStdU16String(m_letters);
        return key;
    }

private:
    struct Folded {
        std::u16string text;
        bool hasMarks;
    };

    const Folded& fold(char16_t code) {
        auto found = m_folded.find(code);
        if (found == m_folded.end()) {
            const QString text = QString(QChar(code)).normalized(QString::NormalizationForm_D).toCaseFolded();
            const bool hasMarks =
                std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
            found = m_folded.insert(code, {text.toStdU16String(), hasMarks});
        }
        return *found;
    }

    QHash<char16_t, Folded> m_folded;
    // Reused from title to title, so that folding allocates only the keys it makes.
    std::u16string m_accented;
    std::u16string m_letters;
};

void sortAlphabetically(QVector<GroupListRow>& groups) {
    TitleFolder folder;
    std::vector<std::pair<AlphabeticalKey, qsizetype>> keys;
    keys.reserve(groups.size());
    for (qsizetype i = 0; i < groups.size(); ++i)
        keys.emplace_back(folder.key(groups[i].titulo1), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
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
    // The texts come as their stored UTF-8 bytes: asked for text, the driver would have
    // SQLite convert each one to UTF-16 first, which costs more than the rest of the
    // reading together.
    db.forEachRow(
        QStringLiteral("SELECT id,CAST(titulo1 AS BLOB),CAST(texto1 AS BLOB),categoria,ordem FROM Tabela1 order by %1")
            .arg(orderBy),
        {}, [&groups](const QSqlQuery& row) {
            groups.append({row.value(0).toInt(), QString::fromUtf8(row.value(1).toByteArray()),
                           QString::fromUtf8(row.value(2).toByteArray()), row.value(3).toInt(), row.value(4).toInt()});
        });
    if (order == GroupOrder::Alphabetical)
        sortAlphabetically(groups);
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

} // namespace zantor
