#include "WindowTitle.h"

#include "SystemColours.h"
#include "TextStyle.h"
#include "Twips.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace zantor {

namespace {
constexpr int kBandHeight = 780;
}

void addTitleLines(QWidget* window) {
    auto* kelmar = new QLabel(QStringLiteral("Kelmar"), window);
    kelmar->setObjectName(QStringLiteral("makerTitle"));
    kelmar->setGeometry(twips::rect(270, 105, 1800, 210));
    kelmar->setFont(sansSerif(11, true));
    setTextColour(kelmar, colours::activeBorder().darker(130));

    auto* zantor = new QLabel(QStringLiteral("Zantor"), window);
    zantor->setObjectName(QStringLiteral("programTitle"));
    zantor->setGeometry(twips::rect(240, 270, 2700, 450));
    zantor->setFont(sansSerif(24, true));
    setTextColour(zantor, colours::statusRed());
}

void paintTitleBand(QWidget* window, QPainter& painter) {
    const int height = twips::toPixels(kBandHeight);
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0, QColor(0xe4, 0xeb, 0xf4));
    band.setColorAt(1, colours::windowBackground());
    painter.fillRect(QRect(0, 0, window->width(), height), band);
}

TitleBarButtons addTitleBarButtons(BorderlessWindow* window, int windowWidth) {
    const auto place = [windowWidth](int fromRight) {
        return twips::rect(windowWidth - fromRight, 90, 270, 270);
    };
    return {window->addTitleBarButton(QStringLiteral("minimizeImage"), QStringLiteral("minimizeButton"),
                                      QStringLiteral("title-minimize"), QStringLiteral("Minimizar"),
                                      place(1170)),
            window->addTitleBarButton(QStringLiteral("trayImage"), QStringLiteral("trayButton"),
                                      QStringLiteral("title-tray"), QStringLiteral("Minimizar para o Tray"),
                                      place(810)),
            window->addTitleBarButton(QStringLiteral("closeImage"), QStringLiteral("closeButton"),
                                      QStringLiteral("title-close"), QStringLiteral("Fechar"), place(450))};
}

} // namespace zantor
