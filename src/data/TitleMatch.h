#pragma once

#include <QString>
#include <QVector>

namespace zantor {

// A group as a typed title may name it: its id and its title as the lists show it.
struct TitledGroup {
    int id = 0;
    QString title;
};

// Finds groups by a title typed by the user, read as the alphabetical list reads titles:
// letter case, accents and surrounding spaces do not count.
class TitleMatch {
public:
    explicit TitleMatch(QVector<TitledGroup> groups);

    // The groups the title names. A title that is the very text typed wins over those
    // that differ only in case or accents, so that "Ação" and "acao" both stay reachable.
    QVector<TitledGroup> named(const QString& typed) const;
    // The groups whose titles hold the typed text: what the user may have meant when no
    // title matches.
    QVector<TitledGroup> mentioning(const QString& typed) const;

private:
    QVector<TitledGroup> m_groups;
    QVector<QString> m_letters;
};

} // namespace zantor
