#pragma once

#include <QFont>

class QColor;
class QLabel;
class QWidget;

namespace zantor {

// The dialogs' texts in the main window's type and colours.
QFont sansSerif(int pixelSize, bool bold = false);
void setTextColour(QWidget* widget, const QColor& colour);
// A label named for tests and screen readers: its object name and its own text.
QLabel* makeLabel(const char* name, const QString& text, QRect geometry, QWidget* parent);

} // namespace zantor
