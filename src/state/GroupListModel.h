#pragma once

#include "data/GroupStore.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <QVector>
#include <optional>

namespace zantor {

// The groups as the lists of groups show them: the main list (both columns) and the
// compact list (the title, through the roles below). One refill here reaches every open
// view. The settings window is the exception: its ordering list is a snapshot taken when
// it opens, which the user rearranges and stores at once or not at all.
class GroupListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { GroupColumn, ItemsColumn, ColumnCount };
    enum Role {
        GroupIdRole = Qt::UserRole,
        // The title alone, unescaped: what the compact list shows.
        TitleRole,
        // Title & ": " & item names: the compact list's hint for a row.
        SummaryRole,
    };

    explicit GroupListModel(QString groupsPath, QObject* parent = nullptr);

    // One small picture file per category, in ascending id order: category k shows
    // picture k - 1; an empty name gives no icon. Pictures are read when a row first
    // shows them.
    void setCategoryPictures(QStringList files);

    // Reads the groups in `order` and shows them; the order is kept for refill().
    // Throws DatabaseError, and then the rows shown stay as they were.
    void fillGroupList(GroupOrder order);
    // As fillGroupList, but only the rows a list shows at first are read, with the count
    // of all groups: the start shows them before it reads the rest (readRest).
    void fillFirstScreen(GroupOrder order);
    // Reads the rows fillFirstScreen left out; the rows shown stay where they are.
    // Nothing to do once every row is read. Throws DatabaseError.
    void readRest();
    // Reads the groups again in the order of the last fill, after a save or a deletion.
    void refill();
    GroupOrder order() const { return m_order; }
    // How many groups there are, also while only the first screen of them is read.
    int groupCount() const { return m_groupCount; }

    int groupId(int row) const { return m_rows[row].id; }
    QString title(int row) const { return m_rows[row].title; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // Texts unescaped once, when read.
    struct Row {
        int id;
        QString title;
        QString items;
        int categoria;

        bool operator==(const Row&) const = default;
    };
    static QVector<Row> shownRows(const QVector<GroupListRow>& stored);
    void show(GroupOrder order, QVector<Row> rows, int groupCount);

    QString m_groupsPath;
    GroupOrder m_order = GroupOrder::Alphabetical;
    QVector<Row> m_rows;
    int m_groupCount = 0;
    QStringList m_categoryPictures;
    mutable QVector<std::optional<QIcon>> m_categoryIcons;
};

} // namespace zantor
