#include "CompactListView.h"

#include "chrome/FixedRowHeightDelegate.h"

namespace zantor {

CompactListView::CompactListView(int rowHeight, QWidget* parent)
    : QListView(parent) {
    auto* rows = new FixedRowHeightDelegate(this);
    rows->setRowHeight(rowHeight);
    setItemDelegate(rows);
    setUniformItemSizes(true);
}

} // namespace zantor
