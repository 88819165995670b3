#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

namespace zantor {

// Where a window of `size` that wants its top-left corner at `wanted` (pixels) goes:
// there, when enough of it shows on some screen to be grabbed; otherwise, as a place
// on a monitor that is gone would leave it out of reach, centred on the primary screen.
QPoint reachablePlace(QPoint wanted, QSize size);

// What the commands that store a window's place say where the display server tells no
// window its place (Wayland): nothing is stored.
inline const QString kPositionUnknown = QStringLiteral("O Wayland não informa a posição.");

} // namespace zantor
