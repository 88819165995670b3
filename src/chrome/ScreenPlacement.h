#pragma once

#include <QPoint>
#include <QSize>

namespace zantor {

// Where a window of `size` that wants its top-left corner at `wanted` (pixels) goes:
// there, when enough of it shows on some screen to be grabbed; otherwise, as a place
// on a monitor that is gone would leave it out of reach, centred on the primary screen.
QPoint reachablePlace(QPoint wanted, QSize size);

} // namespace zantor
