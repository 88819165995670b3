#pragma once

#include <QSortFilterProxyModel>

namespace zantor {

// The group list as the compact list shows it: one column, each group's title alone
// with no icon, and the title followed by the group's item names as the row's tool-tip.
// Rows keep the group list's order.
class GroupTitleModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex& sourceParent) const override;
};

} // namespace zantor
