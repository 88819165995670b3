#include "GroupListModel.h"

#include "data/TextEscaping.h"

#include <QColor>

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

void GroupListModel::fillGroupList(GroupOrder order) {
    const QVector<GroupListRow> stored = listGroups(m_groupsPath, order);
    QVector<Row> rows;
    rows.reserve(stored.size());
    // A stored backslash-n is a line break in every list, whichever fill came last.
    for (const GroupListRow& group : stored)
        rows.append({group.id, unescapeTextWithLineBreaks(group.titulo1),
                     unescapeTextWithLineBreaks(group.texto1), group.categoria});
    beginResetModel();
    m_order = order;
    m_rows = std::move(rows);
    endResetModel();
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
                icon = file.isEmpty() ? QIcon() : QIcon(file);
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
