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
    setFocusPolicy(Qt::NoFocus);
}

QSize ImageButton::sizeHint() const {
    return iconSize();
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    icon().paint(&painter, rect());
}

} // namespace zantor
