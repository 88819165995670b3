#include "AlwaysOnTop.h"

#include <QWidget>
#include <QWindow>

namespace zantor {

void keepAbove(QWidget* window, bool onTop) {
    // Shown first, the window has its native window without winId(), which would give
    // every widget beside a window that has a parent a native window of its own.
    window->show();
    // QWidget::setWindowFlags would destroy and re-create the native window; the flag
    // on the window handle reaches the window manager as a state change instead.
    window->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, onTop);
    window->raise();
}

} // namespace zantor
