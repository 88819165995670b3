#include "TitledWindow.h"

#include "WindowTitle.h"

#include <QPainter>

namespace zantor {

TitledWindow::TitledWindow(int widthTwips, QWidget* parent)
    : BorderlessWindow(parent) {
    const TitleBarButtons titleBar = addTitleBarButtons(this, widthTwips);
    imgMinimizar = titleBar.minimize.normal;
    imgMinimizarOn = titleBar.minimize.lit;
    imgTray = titleBar.tray.normal;
    imgTrayOn = titleBar.tray.lit;
    imgFechar = titleBar.close.normal;
    imgFecharOn = titleBar.close.lit;
}

void TitledWindow::paintEvent(QPaintEvent* event) {
    BorderlessWindow::paintEvent(event);
    QPainter painter(this);
    paintTitleBand(this, painter);
}

} // namespace zantor
