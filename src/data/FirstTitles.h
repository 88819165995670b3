#pragma once

#include "AlphabeticalOrder.h"

#include <QByteArray>
#include <QVector>
#include <queue>
#include <vector>

namespace zantor {

// The first titles in alphabetical order out of many, equal titles in id order: what
// sortAlphabetically puts first among titles read in id order. Titles come one at a
// time, in any order, and most are never keyed whole: one whose key starts after the
// start of `count` others cannot be among the first.
class FirstTitles {
public:
    explicit FirstTitles(int count);

    // A title as its UTF-8 bytes.
    void add(int id, const QByteArray& title);
    int added() const { return m_added; }
    // The ids of the first `count` titles added, in order.
    QVector<int> ids();

private:
    struct Candidate {
        TitleFolder::KeyStart start;
        int id;
        QByteArray title;
    };

    int m_count;
    int m_added = 0;
    TitleFolder m_folder;
    // The `count` smallest starts so far, the largest on top: a title that starts after
    // it is not a candidate.
    std::priority_queue<TitleFolder::KeyStart> m_smallest;
    std::vector<Candidate> m_candidates;
};

} // namespace zantor
