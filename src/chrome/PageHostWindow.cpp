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
    connect(&TimerFormNothing, &QTimer::timeout, this, &PageHostWindow::unloadNamedWindows);
}

void PageHostWindow::showPage(PageWindow* page) {
    const QString name = page->objectName();
    m_openPages.append(page);
    if (m_pendingUnloads.removeAll(name) > 0) {
        unloadClosed(name);
        if (m_pendingUnloads.isEmpty())
            TimerFormNothing.stop();
    }
    lblFormNothing = name;
    page->openOverHost();
    TimerHideForm.start();
}

void PageHostWindow::takeBack(PageWindow* page) {
    if (!m_openPages.removeAll(page))
        return;
    // A page closed before this window had hidden: it must not hide now, with nothing
    // left on screen.
    TimerHideForm.stop();
    showAt(page->pos());
    lblFormNothing = page->objectName();
    m_pendingUnloads.append(lblFormNothing);
    TimerFormNothing.start();
}

void PageHostWindow::unloadNamedWindows() {
    QStringList names = m_pendingUnloads;
    m_pendingUnloads.clear();
    if (!names.contains(lblFormNothing))
        names.append(lblFormNothing);
    for (const QString& name : std::as_const(names))
        unloadClosed(name);
}

void PageHostWindow::unloadClosed(const QString& name) {
    m_openPages.removeAll(nullptr);
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window == this || window->objectName() != name)
            continue;
        if (m_openPages.contains(qobject_cast<PageWindow*>(window)))
            continue;
        window->hide();
        window->deleteLater();
    }
}

} // namespace zantor
