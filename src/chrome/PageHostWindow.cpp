#include "PageHostWindow.h"

#include "PageWindow.h"

#include <QApplication>

namespace zantor {

namespace {
constexpr int kHandOverDelay = 250;
}

PageHostWindow::PageHostWindow(QWidget* parent)
    : BorderlessWindow(parent) {
    TimerHideForm.setObjectName(QStringLiteral("TimerHideForm"));
    TimerHideForm.setSingleShot(true);
    TimerHideForm.setInterval(kHandOverDelay);
    connect(&TimerHideForm, &QTimer::timeout, this, &QWidget::hide);

    TimerFormNothing.setObjectName(QStringLiteral("TimerFormNothing"));
    TimerFormNothing.setSingleShot(true);
    TimerFormNothing.setInterval(kHandOverDelay);
    connect(&TimerFormNothing, &QTimer::timeout, this, &PageHostWindow::unloadNamedWindow);
}

void PageHostWindow::showPage(PageWindow* page) {
    lblFormNothing = page->objectName();
    page->openOverHost();
}

void PageHostWindow::unloadNamedWindow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && window->objectName() == lblFormNothing) {
            window->hide();
            window->deleteLater();
            return;
        }
    }
}

} // namespace zantor
