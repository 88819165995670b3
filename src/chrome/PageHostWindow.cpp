#include "PageHostWindow.h"

#include "PageWindow.h"

namespace zantor {

namespace {
constexpr int kHandOverDelay = 250;
}

PageHostWindow::PageHostWindow(int widthTwips, QWidget* parent)
    : TitledWindow(widthTwips, parent) {
    TimerHideForm.setObjectName(QStringLiteral("TimerHideForm"));
    TimerHideForm.setSingleShot(true);
    TimerHideForm.setInterval(kHandOverDelay);
    connect(&TimerHideForm, &QTimer::timeout, this, &QWidget::hide);

    TimerFormNothing.setObjectName(QStringLiteral("TimerFormNothing"));
    TimerFormNothing.setSingleShot(true);
    TimerFormNothing.setInterval(kHandOverDelay);
    connect(&TimerFormNothing, &QTimer::timeout, this, &PageHostWindow::unloadHandedBack);
}

void PageHostWindow::showPage(PageWindow* page) {
    m_openPages.append(page);
    lblFormNothing = page->objectName();
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
    m_handedBack.append(page);
    TimerFormNothing.start();
}

QList<PageWindow*> PageHostWindow::openPages() const {
    QList<PageWindow*> pages;
    for (const QPointer<PageWindow>& page : m_openPages) {
        if (page)
            pages.append(page);
    }
    return pages;
}

void PageHostWindow::unloadHandedBack() {
    for (const QPointer<PageWindow>& page : std::exchange(m_handedBack, {})) {
        if (!page)
            continue;
        page->hide();
        page->deleteLater();
    }
}

} // namespace zantor
