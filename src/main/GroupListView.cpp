#include "GroupListView.h"

#include "chrome/CharacterKey.h"
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

void GroupListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

void GroupListView::keyPressEvent(QKeyEvent* event) {
    if (typesCharacter(*event)) {
        // A key held down would restart the run at every repeat and open nothing.
        if (!event->isAutoRepeat())
            emit characterKeyPressed();
        event->accept();
        return;
    }
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
