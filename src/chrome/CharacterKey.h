#pragma once

#include <QKeyEvent>

namespace zantor {

// In a list of groups, a key that types a character (Enter included) opens the selected
// groups; Tab and Backtab still move the focus.
inline bool typesCharacter(const QKeyEvent& event) {
    const bool movesFocus = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    return !event.text().isEmpty() && !movesFocus;
}

} // namespace zantor
