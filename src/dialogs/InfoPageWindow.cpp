#include "InfoPageWindow.h"

#include "DialogText.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/PageHostWindow.h"
#include "chrome/SystemColours.h"
#include "chrome/Twips.h"

#include <QLabel>
#include <QPainter>

namespace zantor {

namespace {
constexpr int kWindowWidth = 6600;
constexpr int kWindowHeight = 6855;
constexpr int kTitleBandHeight = 780;
} // namespace

InfoPageWindow::InfoPageWindow(PageHostWindow& host, const QString& formName, const QString& heading)
    : PageWindow(host, formName)
    , m_tray(this, host.programIcon(), QStringLiteral("Kelmar Zantor")) {
    setWindowTitle(QStringLiteral("Kelmar Zantor"));
    setFont(sansSerif(11));
    resize(twips::size(kWindowWidth, kWindowHeight));

    shpTit1 = makeLabel("shpTit1", QStringLiteral("Kelmar"), twips::rect(270, 105, 1800, 210), this);
    shpTit1->setFont(sansSerif(11, true));
    setTextColour(shpTit1, colours::activeBorder().darker(130));
    shpTit2 = makeLabel("shpTit2", QStringLiteral("Zantor"), twips::rect(240, 270, 2700, 450), this);
    shpTit2->setFont(sansSerif(24, true));
    setTextColour(shpTit2, QColor(0x2f, 0x6f, 0xb5));

    lblAction = makeLabel("lblAction", heading, twips::rect(360, 945, 4500, 360), this);
    lblAction->setFont(sansSerif(17, true));
    setTextColour(lblAction, colours::windowFrame());

    imgLogo = new ImagePicture(QStringLiteral("imgLogo"), QStringLiteral("Logotipo do Zantor"), this);
    imgLogo->setIcon(host.programIcon());
    imgLogo->setGeometry(twips::rect(5700, 900, 540, 540));

    buildTitleBar();
    connect(imgFecharOn, &QAbstractButton::clicked, this, &PageWindow::closeToHost);
    connect(imgTrayOn, &QAbstractButton::clicked, this, &InfoPageWindow::minimize_to_tray);
    connect(imgMinimizarOn, &QAbstractButton::clicked, this, &QWidget::showMinimized);
}

void InfoPageWindow::buildTitleBar() {
    // The same places as on the main window, so the pages look like one program.
    const auto place = [](int left) { return twips::rect(left, 90, 270, 270); };
    const TitleBarButton minimize =
        addTitleBarButton(QStringLiteral("imgMinimizar"), QStringLiteral("imgMinimizarOn"),
                          QStringLiteral("title-minimize"), QStringLiteral("Minimizar"), place(5430));
    const TitleBarButton tray =
        addTitleBarButton(QStringLiteral("imgTray"), QStringLiteral("imgTrayOn"),
                          QStringLiteral("title-tray"), QStringLiteral("Minimizar para o Tray"), place(5790));
    const TitleBarButton close =
        addTitleBarButton(QStringLiteral("imgFechar"), QStringLiteral("imgFecharOn"),
                          QStringLiteral("title-close"), QStringLiteral("Fechar"), place(6150));
    imgMinimizar = minimize.normal;
    imgMinimizarOn = minimize.lit;
    imgTray = tray.normal;
    imgTrayOn = tray.lit;
    imgFechar = close.normal;
    imgFecharOn = close.lit;
}

void InfoPageWindow::minimize_to_tray() {
    m_tray.minimize_to_tray();
}

void InfoPageWindow::paintEvent(QPaintEvent* event) {
    BorderlessWindow::paintEvent(event);
    QPainter painter(this);
    // The main window's calm band behind the title, and a rule under the heading.
    QLinearGradient band(0, 0, 0, twips::toPixels(kTitleBandHeight));
    band.setColorAt(0, QColor(0xe4, 0xeb, 0xf4));
    band.setColorAt(1, colours::windowBackground());
    painter.fillRect(QRect(0, 0, width(), twips::toPixels(kTitleBandHeight)), band);
    painter.setPen(QColor(0xd3, 0xdb, 0xe6));
    const int rule = twips::toPixels(1560);
    painter.drawLine(twips::toPixels(240), rule, width() - twips::toPixels(240), rule);
}

} // namespace zantor
