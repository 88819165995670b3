#pragma once

#include <QIdentityProxyModel>

namespace zantor {

// The group list as the compact list shows it: each group's title alone, with no icon,
// and the title followed by the group's item names as the row's tool-tip. Rows keep the
// group list's order and follow it without maps of their own.
class GroupTitleModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    // The title column alone: a list view would show only its model column, but screen
    // readers would still be told of every column's cells.
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

} // namespace zantor
