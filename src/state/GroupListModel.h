#pragma once

#include "data/GroupStore.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace zantor {

class DatabaseError;

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
    // Waits for a reading of the rest that is still going.
    ~GroupListModel() override;

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
    // Reads the rows fillFirstScreen left out on a thread of its own, then adds them a
    // slice at a time, so that the lists answer the user all the while; the rows shown
    // stay where they are. Emits restShown once every row shows, at once when none was
    // left out. A database that cannot be read goes to `failed`, and the rows shown stay.
    // A fill in between makes the reading moot.
    void readRest(std::function<void(const DatabaseError&)> failed);
    // Reads the groups again in the order of the last fill, after a save or a deletion.
    void refill();
    GroupOrder order() const { return m_order; }
    // How many groups there are, also while only the first screen of them is read.
    int groupCount() const { return m_groupCount; }

    int groupId(int row) const { return m_rows[row].id; }
    QString title(int row) const { return QString::fromUtf8(m_rows[row].title); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void restShown();

private:
    // Texts unescaped once, when read, and kept as UTF-8: a list of many groups holds
    // them all, and most of their characters take one byte so.
    struct Row {
        int id;
        int categoria;
        QByteArray title;
        QByteArray items;

        bool operator==(const Row&) const = default;
    };
    static Row shownRow(const GroupListRow& stored);
    static QVector<Row> readRows(const QString& groupsPath, GroupOrder order, int expected);
    void show(GroupOrder order, QVector<Row> rows, int groupCount);
    void takeRest(QVector<Row> rows);
    void showNextSlice();

    QString m_groupsPath;
    GroupOrder m_order = GroupOrder::Alphabetical;
    // Every row read; the views know of the first m_shown of them.
    QVector<Row> m_rows;
    int m_shown = 0;
    int m_groupCount = 0;
    // Counts the fills, so that a reading or a slice that a later fill overtook is
    // dropped.
    int m_fills = 0;
    std::unique_ptr<QThread> m_restReader;
    QStringList m_categoryPictures;
    mutable QVector<std::optional<QIcon>> m_categoryIcons;
};

} // namespace zantor
