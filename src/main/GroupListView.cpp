#include "GroupListView.h"

#include "chrome/FixedRowHeightDelegate.h"

#include <QKeyEvent>

namespace zantor {

GroupListView::GroupListView(QWidget* parent)
    : QTreeView(parent)
    , m_rows(new FixedRowHeightDelegate(this)) {
    setMouseTracking(true);
    setItemDelegate(m_rows);
    connect(this, &QAbstractItemView::clicked, this, &GroupListView::rowClicked);
}

void GroupListView::setRowHeight(int pixels) {
    m_rows->setRowHeight(pixels);
    scheduleDelayedItemsLayout();
}

void GroupListView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex().row() != before.row())
        emit rowClicked(currentIndex());
}

bool GroupListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        emit pointerMoved();
    return QTreeView::viewportEvent(event);
}

} // namespace zantor
