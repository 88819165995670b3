#include "CompactListView.h"

#include "chrome/CharacterKey.h"
#include "chrome/FixedRowHeightDelegate.h"

#include <QKeyEvent>

namespace zantor {

CompactListView::CompactListView(int rowHeight, QWidget* parent)
    : QListView(parent) {
    auto* rows = new FixedRowHeightDelegate(this);
    rows->setRowHeight(rowHeight);
    setItemDelegate(rows);
    setUniformItemSizes(true);
}

void CompactListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

void CompactListView::keyPressEvent(QKeyEvent* event) {
    if (typesCharacter(*event)) {
        // A key held down would restart the run at every repeat and open nothing.
        if (!event->isAutoRepeat())
            emit characterKeyPressed();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace zantor
