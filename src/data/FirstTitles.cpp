#include "FirstTitles.h"

#include <tuple>

namespace zantor {

FirstTitles::FirstTitles(int count)
    : m_count(count) {}

void FirstTitles::add(int id, const QByteArray& title) {
    ++m_added;
    if (m_count <= 0)
        return;
    const TitleFolder::KeyStart start = m_folder.keyStart(QString::fromUtf8(title));
    if (int(m_smallest.size()) == m_count && m_smallest.top() < start)
        return;
    m_smallest.push(start);
    if (int(m_smallest.size()) > m_count)
        m_smallest.pop();
    m_candidates.push_back({start, id, title});
}

QVector<int> FirstTitles::ids() {
    if (m_candidates.empty())
        return {};
    std::vector<std::pair<AlphabeticalKey, int>> keyed;
    for (const Candidate& candidate : m_candidates) {
        // Those that started after the last of the first starts are out.
        if (!(m_smallest.top() < candidate.start))
            keyed.emplace_back(m_folder.key(QString::fromUtf8(candidate.title)), candidate.id);
    }
    const auto end = keyed.begin() + std::min<qsizetype>(m_count, keyed.size());
    std::partial_sort(keyed.begin(), end, keyed.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second) < std::tie(b.first, b.second);
    });
    QVector<int> ids;
    for (auto key = keyed.begin(); key != end; ++key)
        ids.append(key->second);
    return ids;
}

} // namespace zantor
