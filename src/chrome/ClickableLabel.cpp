#include "ClickableLabel.h"

#include <QMouseEvent>

namespace zantor {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    // Taken here, so that a press on the caption does not start dragging the window.
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

} // namespace zantor
