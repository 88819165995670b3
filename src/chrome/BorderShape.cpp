#include "BorderShape.h"

#include <QPainter>

namespace zantor {

BorderShape::BorderShape(const QString& name, QColor colour, int inset, QWidget* window)
    : QWidget(window)
    , m_colour(colour)
    , m_inset(inset) {
    setObjectName(name);
    setAccessibleName(QStringLiteral("Borda da janela"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BorderShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_colour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(m_inset, m_inset, -m_inset - 1, -m_inset - 1));
}

} // namespace zantor
