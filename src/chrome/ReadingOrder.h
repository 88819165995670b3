#pragma once

#include <QList>

class QWidget;

namespace zantor {

// Every control of `window` that the keyboard can reach (its focus policy takes Tab), in
// reading order: row by row from the top, left to right within a row, and a frame's
// controls together where the frame stands. Widgets stand in one row when each starts
// above the middle of the row's first. A widget that holds controls (a scroll area too)
// is a frame around them; a part that hands its focus on (a focus proxy) stands for the
// widget it hands it to. Hidden and disabled controls are listed too; the window
// decides which of them take the focus now.
QList<QWidget*> controlsInReadingOrder(const QWidget* window);

} // namespace zantor
