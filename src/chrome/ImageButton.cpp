#include "ImageButton.h"

#include <QPainter>

namespace zantor {

ImageButton::ImageButton(const QString& name, const QIcon& picture, const QString& toolTip, QWidget* parent)
    : QAbstractButton(parent) {
    setObjectName(name);
    setIcon(picture);
    setToolTip(toolTip);
    setAccessibleName(toolTip.trimmed());
    setCursor(Qt::PointingHandCursor);
    // The keyboard reaches it; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

QSize ImageButton::sizeHint() const {
    return iconSize();
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    icon().paint(&painter, rect());
    if (!hasFocus())
        return;
    // The focus mark: a picture has no frame of its own to light up, and its own edge
    // is pale, so the ring is the program's strong blue.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2f, 0x6f, 0xb5), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

} // namespace zantor
