#pragma once

#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace zantor {

enum class GroupOrder { Alphabetical, Custom };

// A row shows no more of a text than this many characters. Lists get their texts cut to
// it before any layout, so that a huge stored text never stalls the start; the editor
// and the export still read the texts whole.
constexpr int kShownTextLength = 2000;

// One row of the group list, texts as stored (still escaped) and cut to
// kShownTextLength.
struct GroupListRow {
    int id = 0;
    QString titulo1;
    QString texto1;
    int categoria = 0; // 0 when Null
    int ordem = 0;
};

// What the details panel shows of one group, texts as stored.
struct GroupDetails {
    QString titulo1;
    QString texto1;
    QString texto2;
    QString qtd;
    QString dataUpd;
    QString categoria;
    // The items' arguments; empty when none has any.
    QString texto3;
};

// Alphabetical order is what a Portuguese reader expects: letter case and accents do
// not split the list ("ação" beside "acao", "b" beside "B"). Ties keep id order. The
// groups table keeps each title's key (chaveTitulo) indexed, so that the order is read
// rather than worked out; keys that are missing are made first, and a table that has or
// takes none (an older, read-only one) is sorted in memory to the same order.
QVector<GroupListRow> listGroups(const QString& groupsPath, GroupOrder order);
// The same rows handed over one at a time, so that no second list of them is held.
void forEachGroup(const QString& groupsPath, GroupOrder order,
                  const std::function<void(GroupListRow&&)>& onRow);

// The first rows of listGroups and how many groups there are in all: what a list shows
// before the rest is read. Read off the indexes, whatever the number of groups.
struct FirstGroups {
    QVector<GroupListRow> rows;
    int total = 0;
};
FirstGroups listFirstGroups(const QString& groupsPath, GroupOrder order, int count);
// Deletes the groups one by one in the order given, in one transaction: either all of
// them go or, when one statement fails, none does. An id no group has deletes nothing.
void deleteGroups(const QString& groupsPath, const QVector<int>& ids);
// Empty when no group has this id.
std::optional<GroupDetails> readGroupDetails(const QString& groupsPath, int id);
// A group's stored texto2, as stored; empty when no group has this id.
std::optional<QString> readResourceList(const QString& groupsPath, int id);
// The custom order: the groups of `ids` get ordem 0, 1, 2, ... in that order, all in
// one transaction, so a failure leaves the stored order as it was.
void storeCustomOrder(const QString& groupsPath, const QVector<int>& ids);

} // namespace zantor
