#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace zantor {

// The program's font, in pixels, so that every window lays out the same on any screen.
inline QFont sansSerif(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The colour of a label's or a text box's text.
inline void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// A label named for tests and screen readers: its object name and its own text.
inline QLabel* makeLabel(const char* name, const QString& text, QRect geometry, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(text);
    label->setGeometry(geometry);
    return label;
}

} // namespace zantor
