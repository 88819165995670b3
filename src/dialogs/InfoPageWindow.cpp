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
    const TitleLines titleLines = addTitleLines(this);
    shpTit1 = titleLines.shpTit1;
    shpTit2 = titleLines.shpTit2;

    lblAction = makeLabel("lblAction", heading, twips::rect(360, 945, 4500, 360), this);
    lblAction->setFont(sansSerif(17, true));
    setTextColour(lblAction, colours::windowFrame());

    imgLogo = new ImagePicture(QStringLiteral("imgLogo"), QStringLiteral("Logotipo do Zantor"), this);
    imgLogo->setIcon(host.programIcon());
    imgLogo->setGeometry(twips::rect(5700, 900, 540, 540));
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
