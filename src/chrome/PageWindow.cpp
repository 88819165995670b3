#include "PageWindow.h"

#include "PageHostWindow.h"

#include <QCloseEvent>

namespace zantor {

PageWindow::PageWindow(PageHostWindow& host, const QString& formName)
    : m_host(host) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void PageWindow::openOverHost() {
    setWindowIcon(m_host.programIcon());
    resize(m_host.size());
    sizeBorderShapes();
    hoverTimer()->setInterval(100);
    showAt(m_host.pos());
    raise();
    activateWindow();
}

void PageWindow::closeToHost() {
    m_host.takeBack(this);
}

void PageWindow::closeEvent(QCloseEvent* event) {
    closeToHost();
    event->accept();
}

} // namespace zantor
