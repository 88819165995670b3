#include "PageHostWindow.h"

#include "PageWindow.h"

namespace zantor {

namespace {
constexpr int kHandOverDelay = 250;
}

PageHostWindow::PageHostWindow(int widthTwips, QWidget* parent)
    : TitledWindow(widthTwips, parent) {
    m_hideTimer.setObjectName(QStringLiteral("hideTimer"));
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(kHandOverDelay);
    connect(&m_hideTimer, &QTimer::timeout, this, &QWidget::hide);

    m_unloadTimer.setObjectName(QStringLiteral("unloadTimer"));
    m_unloadTimer.setSingleShot(true);
    m_unloadTimer.setInterval(kHandOverDelay);
    connect(&m_unloadTimer, &QTimer::timeout, this, &PageHostWindow::unloadHandedBack);
}

void PageHostWindow::showPage(PageWindow* page) {
    m_openPages.append(page);
    m_lastPageName = page->objectName();
    page->openOverHost();
    m_hideTimer.start();
}

void PageHostWindow::takeBack(PageWindow* page) {
    if (!m_openPages.removeAll(page))
        return;
    // A page closed before this window had hidden: it must not hide now, with nothing
    // left on screen.
    m_hideTimer.stop();
    showAt(page->pos());
    m_lastPageName = page->objectName();
    m_handedBack.append(page);
    m_unloadTimer.start();
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
