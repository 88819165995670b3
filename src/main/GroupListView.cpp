#include "GroupListView.h"

#include <QKeyEvent>

namespace zantor {

GroupListView::GroupListView(QWidget* parent)
    : QTreeWidget(parent) {
    setMouseTracking(true);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row) { emit rowClicked(row); });
}

void GroupListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

void GroupListView::keyPressEvent(QKeyEvent* event) {
    const bool movesFocus = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (!event->text().isEmpty() && !movesFocus) {
        // A key held down would restart the run at every repeat and open nothing.
        if (!event->isAutoRepeat())
            emit characterKeyPressed();
        event->accept();
        return;
    }
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before)
        emit rowClicked(currentItem());
}

bool GroupListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        emit pointerMoved();
    return QTreeWidget::viewportEvent(event);
}

} // namespace zantor
