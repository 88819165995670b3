#include "TitleMatch.h"

#include "AlphabeticalOrder.h"

namespace zantor {

namespace {

QString lettersOf(TitleFolder& folder, const QString& title) {
    return folder.key(title.trimmed()).letters;
}

} // namespace

TitleMatch::TitleMatch(QVector<TitledGroup> groups)
    : m_groups(std::move(groups)) {
    TitleFolder folder;
    m_letters.reserve(m_groups.size());
    for (const TitledGroup& group : std::as_const(m_groups))
        m_letters.append(lettersOf(folder, group.title));
}

QVector<TitledGroup> TitleMatch::named(const QString& typed) const {
    TitleFolder folder;
    const QString letters = lettersOf(folder, typed);
    QVector<TitledGroup> alike;
    QVector<TitledGroup> same;
    for (qsizetype i = 0; i < m_groups.size(); ++i) {
        if (m_letters[i] != letters)
            continue;
        alike.append(m_groups[i]);
        if (m_groups[i].title.trimmed() == typed.trimmed())
            same.append(m_groups[i]);
    }
    return same.isEmpty() ? alike : same;
}

QVector<TitledGroup> TitleMatch::mentioning(const QString& typed) const {
    TitleFolder folder;
    const QString letters = lettersOf(folder, typed);
    QVector<TitledGroup> found;
    for (qsizetype i = 0; i < m_groups.size(); ++i) {
        if (m_letters[i].contains(letters))
            found.append(m_groups[i]);
    }
    return found;
}

} // namespace zantor
