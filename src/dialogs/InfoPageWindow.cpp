#include "InfoPageWindow.h"

#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/PageHostWindow.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "chrome/WindowTitle.h"

#include <QLabel>
#include <QPainter>

namespace zantor {

InfoPageWindow::InfoPageWindow(PageHostWindow& host, const QString& formName, const QString& heading)
    : PageWindow(host, formName) {
    setFont(sansSerif(11));
    addTitleLines(this);

    m_heading = makeLabel("heading", heading, twips::rect(360, 945, 4500, 360), this);
    m_heading->setFont(sansSerif(17, true));
    setTextColour(m_heading, colours::windowFrame());

    m_logo = new ImagePicture(QStringLiteral("logo"), QStringLiteral("Logotipo do Zantor"), this);
    m_logo->setIcon(host.programIcon());
    m_logo->setGeometry(twips::rect(5700, 900, 540, 540));
}

void InfoPageWindow::paintEvent(QPaintEvent* event) {
    PageWindow::paintEvent(event);
    QPainter painter(this);
    // A rule under the heading.
    painter.setPen(QColor(0xd3, 0xdb, 0xe6));
    const int rule = twips::toPixels(1560);
    painter.drawLine(twips::toPixels(240), rule, width() - twips::toPixels(240), rule);
}

} // namespace zantor
