#include "OrderingList.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zantor {

OrderingList::OrderingList(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
}

void OrderingList::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    const int origin = currentRow();
    if (step == 0 || event->modifiers() != Qt::ControlModifier || origin < 0) {
        QListWidget::keyPressEvent(event);
        return;
    }
    const int target = origin + step;
    if (target >= 0 && target < count())
        emit entryDropped(origin, target);
}

void OrderingList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    const QModelIndex pressed = indexAt(event->position().toPoint());
    m_origin = pressed.isValid() ? pressed.row() : -1;
    // Any button picks the entry up, not only the left one.
    if (pressed.isValid())
        setCurrentRow(m_origin);
}

void OrderingList::mouseMoveEvent(QMouseEvent* event) {
    QListWidget::mouseMoveEvent(event);
    if (m_origin < 0 || event->buttons() == Qt::NoButton)
        return;
    const QModelIndex under = indexAt(event->position().toPoint());
    if (under.isValid() && under.row() != currentRow())
        setCurrentRow(under.row());
}

void OrderingList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    const int origin = std::exchange(m_origin, -1);
    // Released outside the entries, the entry goes where the selection last was.
    if (origin >= 0 && currentRow() >= 0)
        emit entryDropped(origin, currentRow());
}

} // namespace zantor
