#pragma once

#include <QColor>

namespace zantor::colours {

// The window-frame colour: text that is active or chosen.
inline QColor windowFrame() {
    return QColor(0x2d, 0x37, 0x48);
}
// The active-border colour: text that is switched off, greyed.
inline QColor activeBorder() {
    return QColor(0xa0, 0xa8, 0xb4);
}
// Status lines.
inline QColor statusRed() {
    return QColor(196, 0, 0);
}
inline QColor windowBackground() {
    return QColor(0xf4, 0xf6, 0xf9);
}

} // namespace zantor::colours
