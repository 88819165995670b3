#include "ScreenPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace zantor {

QPoint reachablePlace(QPoint wanted, QSize size) {
    constexpr int kGrabbable = 40;
    const QRect wantedRect(wanted, size);
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(wantedRect);
        if (shown.width() >= qMin(kGrabbable, size.width()) &&
            shown.height() >= qMin(kGrabbable, size.height()))
            return wanted;
    }
    QRect centred(QPoint(0, 0), size);
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        centred.moveCenter(primary->availableGeometry().center());
    return centred.topLeft();
}

} // namespace zantor
