#include "PageWindow.h"

#include "ImageButton.h"
#include "PageHostWindow.h"
#include "Twips.h"

#include <QCloseEvent>

namespace zantor {

namespace {
// Every page has the main window's size.
constexpr int kPageWidth = 6600;
constexpr int kPageHeight = 6855;
} // namespace

PageWindow::PageWindow(PageHostWindow& host, const QString& formName)
    : TitledWindow(kPageWidth)
    , m_host(host)
    , m_tray(this, host.programIcon(), QStringLiteral("Kelmar Zantor")) {
    setObjectName(formName);
    setWindowTitle(QStringLiteral("Kelmar Zantor"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Fixed, as every Zantor window: a tiling desktop floats it instead of stretching it.
    setFixedSize(twips::size(kPageWidth, kPageHeight));
    setClosesOnEscape(true);
    connect(titleBar().close.lit, &QAbstractButton::clicked, this, &PageWindow::closeToHost);
    connect(titleBar().tray.lit, &QAbstractButton::clicked, this, &PageWindow::minimizeToTray);
    connect(titleBar().minimize.lit, &QAbstractButton::clicked, this, &QWidget::showMinimized);
}

void PageWindow::openOverHost() {
    setWindowIcon(m_host.programIcon());
    setFixedSize(m_host.size());
    sizeBorderShapes();
    showAt(m_host.pos());
    raise();
    activateWindow();
}

void PageWindow::closeToHost() {
    m_host.takeBack(this);
}

void PageWindow::minimizeToTray() {
    m_tray.minimizeToTray();
}

void PageWindow::closeEvent(QCloseEvent* event) {
    closeToHost();
    event->accept();
}

} // namespace zantor
