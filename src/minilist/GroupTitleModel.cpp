#include "GroupTitleModel.h"

#include "state/GroupListModel.h"

namespace zantor {

QVariant GroupTitleModel::data(const QModelIndex& index, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return QSortFilterProxyModel::data(index, GroupListModel::TitleRole);
    case Qt::ToolTipRole:
        return QSortFilterProxyModel::data(index, GroupListModel::SummaryRole);
    case Qt::DecorationRole:
        return {};
    default:
        return QSortFilterProxyModel::data(index, role);
    }
}

bool GroupTitleModel::filterAcceptsColumn(int sourceColumn, const QModelIndex&) const {
    return sourceColumn == GroupListModel::GroupColumn;
}

} // namespace zantor
