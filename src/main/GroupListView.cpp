#include "GroupListView.h"

#include "chrome/FixedRowHeightDelegate.h"

#include <QKeyEvent>
#include <QPainter>

namespace zantor {

GroupListView::GroupListView(QWidget* parent)
    : QTreeView(parent)
    , m_rows(new FixedRowHeightDelegate(this)) {
    setMouseTracking(true);
    setItemDelegate(m_rows);
    connect(this, &QAbstractItemView::clicked, this, &GroupListView::rowClicked);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        const QModelIndex row = indexAt(position);
        if (row.isValid())
            emit groupMenuRequested(row, viewport()->mapToGlobal(position));
    });
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
