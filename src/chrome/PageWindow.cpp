#include "PageWindow.h"

#include "PageHostWindow.h"

namespace zantor {

PageWindow::PageWindow(PageHostWindow& host, const QString& formName)
    : m_host(host) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void PageWindow::openOverHost() {
    setWindowIcon(m_host.programIcon());
    setGeometry(QRect(m_host.pos(), m_host.size()));
    sizeBorderShapes();
    hoverTimer()->setInterval(100);
    show();
    raise();
    activateWindow();
    m_host.TimerHideForm.start();
}

void PageWindow::closeToHost() {
    m_host.move(pos());
    m_host.show();
    m_host.lblFormNothing = objectName();
    m_host.TimerFormNothing.start();
}

} // namespace zantor
