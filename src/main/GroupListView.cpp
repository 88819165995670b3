#include "GroupListView.h"

#include "chrome/FixedRowHeightDelegate.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>

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
    // The menu key reaches contextMenuEvent() through the platform; Shift+F10 does not.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        const QModelIndex row = currentIndex();
        if (row.isValid())
            requestMenu(row, viewport()->mapToGlobal(visualRect(row).center()));
        return;
    }
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex().row() != before.row())
        emit rowReached(currentIndex());
}

void GroupListView::contextMenuEvent(QContextMenuEvent* event) {
    // From the mouse the position is the viewport's; from the keyboard the menu is the
    // current row's.
    const bool fromKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    const QModelIndex row = fromKeyboard ? currentIndex() : indexAt(event->pos());
    if (!row.isValid())
        return;
    const QPoint at = fromKeyboard ? visualRect(row).center() : event->pos();
    requestMenu(row, viewport()->mapToGlobal(at));
}

void GroupListView::requestMenu(const QModelIndex& row, QPoint globalPosition) {
    // The details follow the row the menu is for.
    emit rowReached(row);
    emit groupMenuRequested(row, globalPosition);
}

bool GroupListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        emit pointerMoved();
    return QTreeView::viewportEvent(event);
}

void GroupListView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (model() && model()->rowCount() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Nenhum grupo ainda: clique em + para criar o primeiro."));
}

} // namespace zantor
