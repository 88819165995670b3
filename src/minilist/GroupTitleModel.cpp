#include "GroupTitleModel.h"

#include "state/GroupListModel.h"

namespace zantor {

int GroupTitleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant GroupTitleModel::data(const QModelIndex& index, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return QIdentityProxyModel::data(index, GroupListModel::TitleRole);
    case Qt::ToolTipRole:
        return QIdentityProxyModel::data(index, GroupListModel::SummaryRole);
    case Qt::DecorationRole:
        return {};
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

} // namespace zantor
