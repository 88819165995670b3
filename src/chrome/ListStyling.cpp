#include "ListStyling.h"

#include <QAbstractItemView>
#include <QPixmap>
#include <QScrollBar>

namespace zantor {

void removeListBorder(QAbstractScrollArea* list) {
    list->setFrameShape(QFrame::NoFrame);
}

void tileListBackground(QAbstractItemView* list, const QPixmap& tile) {
    QPalette palette = list->palette();
    palette.setBrush(QPalette::Base, QBrush(tile));
    list->setPalette(palette);
    list->viewport()->setAutoFillBackground(true);
    // Scrolling moves the drawn rows but the pattern stays anchored to the list, so
    // every scroll repaints the whole list instead of shifting old pixels.
    QObject::connect(list->verticalScrollBar(), &QScrollBar::valueChanged, list->viewport(),
                     [viewport = list->viewport()] { viewport->update(); });
    QObject::connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, list->viewport(),
                     [viewport = list->viewport()] { viewport->update(); });
}

void nameScrollBars(QAbstractScrollArea* area) {
    area->verticalScrollBar()->setAccessibleName(QStringLiteral("Rolagem vertical"));
    area->horizontalScrollBar()->setAccessibleName(QStringLiteral("Rolagem horizontal"));
}

} // namespace zantor
