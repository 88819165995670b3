#pragma once

#include "BorderlessWindow.h"

class QPainter;

namespace zantor {

// What the top of every full-size Zantor window shows: the title lines "Kelmar" and
// "Zantor", a calm band behind them, and the minimise, tray and close images.
void addTitleLines(QWidget* window);
void paintTitleBand(QWidget* window, QPainter& painter);

struct TitleBarButtons {
    TitleBarButton minimize;
    TitleBarButton tray;
    TitleBarButton close;
};
// At the top right corner of a window `windowWidth` twips wide.
TitleBarButtons addTitleBarButtons(BorderlessWindow* window, int windowWidth);

} // namespace zantor
