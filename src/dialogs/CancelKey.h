#pragma once

class QWidget;

namespace zantor {

class Launcher;

// Esc in `window` stops the launcher's run while one is going. Between runs the key goes
// where it always went.
void cancelRunOnEscape(QWidget* window, Launcher& launcher);

} // namespace zantor
