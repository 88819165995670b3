#include "TitledWindow.h"

#include <QPainter>

namespace zantor {

TitledWindow::TitledWindow(int widthTwips, QWidget* parent)
    : BorderlessWindow(parent)
    , m_titleBar(addTitleBarButtons(this, widthTwips)) {}

void TitledWindow::paintEvent(QPaintEvent* event) {
    BorderlessWindow::paintEvent(event);
    QPainter painter(this);
    paintTitleBand(this, painter);
}

} // namespace zantor
