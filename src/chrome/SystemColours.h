#pragma once

#include <QColor>
#include <QPalette>

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

// Our windows' look is their own: light, whatever palette the desktop prefers. A dark
// desktop palette would otherwise put our black row texts on a dark list.
inline QPalette windowPalette(QPalette palette) {
    const QColor text(0x1f, 0x29, 0x37);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, windowBackground());
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, QColor(0xff, 0xff, 0xff));
        palette.setColor(group, QPalette::AlternateBase, QColor(0xf0, 0xf3, 0xf7));
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Button, QColor(0xe9, 0xed, 0xf2));
        palette.setColor(group, QPalette::ButtonText, text);
        // Light, so that the category pictures (drawn in the same blue as a dark
        // highlight) still show on a selected row.
        palette.setColor(group, QPalette::Highlight, QColor(0xcf, 0xe0, 0xf5));
        palette.setColor(group, QPalette::HighlightedText, text);
        palette.setColor(group, QPalette::ToolTipBase, QColor(0xff, 0xfb, 0xe6));
        palette.setColor(group, QPalette::ToolTipText, text);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, windowBackground());
    palette.setColor(QPalette::Disabled, QPalette::Base, windowBackground());
    return palette;
}

} // namespace zantor::colours
