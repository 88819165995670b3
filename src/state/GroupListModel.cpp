#include "GroupListModel.h"

#include "data/TextEscaping.h"
#include "platform/Pictures.h"

#include <QColor>
#include <algorithm>

namespace zantor {

GroupListModel::GroupListModel(QString groupsPath, QObject* parent)
    : QAbstractTableModel(parent)
    , m_groupsPath(std::move(groupsPath)) {}

void GroupListModel::setCategoryPictures(QStringList files) {
    m_categoryPictures = std::move(files);
    m_categoryIcons = QVector<std::optional<QIcon>>(m_categoryPictures.size());
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, GroupColumn), index(rowCount() - 1, GroupColumn), {Qt::DecorationRole});
}

namespace {

// Rows any list shows at once, and more: the main list shows 10, the compact list 15 at
// most.
constexpr int kFirstScreenRows = 32;

} // namespace

QVector<GroupListModel::Row> GroupListModel::shownRows(const QVector<GroupListRow>& stored) {
    QVector<Row> rows;
    rows.reserve(stored.size());
    // A stored backslash-n is a line break in every list, whichever fill came last.
    for (const GroupListRow& group : stored)
        rows.append({group.id, unescapeTextWithLineBreaks(group.titulo1),
                     unescapeTextWithLineBreaks(group.texto1), group.categoria});
    return rows;
}

void GroupListModel::show(GroupOrder order, QVector<Row> rows, int groupCount) {
    beginResetModel();
    m_order = order;
    m_rows = std::move(rows);
    m_groupCount = groupCount;
    endResetModel();
}

void GroupListModel::fillGroupList(GroupOrder order) {
    QVector<Row> rows = shownRows(listGroups(m_groupsPath, order));
    const int count = int(rows.size());
    show(order, std::move(rows), count);
}

void GroupListModel::fillFirstScreen(GroupOrder order) {
    const FirstGroups first = listFirstGroups(m_groupsPath, order, kFirstScreenRows);
    show(order, shownRows(first.rows), first.total);
}

void GroupListModel::readRest() {
    if (m_rows.size() == m_groupCount)
        return;
    QVector<Row> rows = shownRows(listGroups(m_groupsPath, m_order));
    // Something else may have written the database in between: then the whole list goes
    // again, as after any refill.
    const bool onlyAdded =
        rows.size() == m_groupCount &&
        std::equal(m_rows.begin(), m_rows.end(), rows.begin(), rows.begin() + m_rows.size());
    if (!onlyAdded) {
        const int count = int(rows.size());
        show(m_order, std::move(rows), count);
        return;
    }
    beginInsertRows({}, int(m_rows.size()), m_groupCount - 1);
    m_rows = std::move(rows);
    endInsertRows();
}

void GroupListModel::refill() {
    fillGroupList(m_order);
}

int GroupListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int GroupListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GroupListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows[index.row()];
    const bool groupColumn = index.column() == GroupColumn;
    switch (role) {
    case Qt::DisplayRole:
        return groupColumn ? QStringLiteral(" ") + row.title : row.items;
    case Qt::DecorationRole:
        // A category with no picture (0 when none was chosen) gives a row without icon.
        if (groupColumn && row.categoria >= 1 && row.categoria <= m_categoryIcons.size()) {
            std::optional<QIcon>& icon = m_categoryIcons[row.categoria - 1];
            if (!icon) {
                const QString& file = m_categoryPictures[row.categoria - 1];
                icon = file.isEmpty() ? QIcon() : picture(file);
            }
            return *icon;
        }
        return {};
    case Qt::ForegroundRole:
        return groupColumn ? QColor(0, 0, 0) : QColor(128, 128, 128);
    case GroupIdRole:
        return row.id;
    case TitleRole:
        return row.title;
    case SummaryRole:
        return row.title + QStringLiteral(": ") + row.items;
    default:
        return {};
    }
}

QVariant GroupListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == GroupColumn ? QStringLiteral("Grupo") : QStringLiteral("Itens");
}

} // namespace zantor
