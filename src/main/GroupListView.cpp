#include "GroupListView.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace zantor {

class FixedRowHeightDelegate : public QStyledItemDelegate {
public:
    explicit FixedRowHeightDelegate(GroupListView* view)
        : QStyledItemDelegate(view)
        , m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (m_view->m_rowHeight > 0)
            size.setHeight(m_view->m_rowHeight);
        return size;
    }

private:
    GroupListView* m_view;
};

GroupListView::GroupListView(QWidget* parent)
    : QTreeView(parent) {
    setMouseTracking(true);
    setItemDelegate(new FixedRowHeightDelegate(this));
    connect(this, &QAbstractItemView::clicked, this, &GroupListView::rowClicked);
}

void GroupListView::setRowHeight(int pixels) {
    m_rowHeight = pixels;
    scheduleDelayedItemsLayout();
}

void GroupListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
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
