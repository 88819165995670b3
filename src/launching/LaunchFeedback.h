#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zantor {

class Launcher;
class WindowRequests;

// What a window that opens groups with `launcher` shows of its runs. Esc in the window
// stops the run going (between runs the key goes where it always went); a stopped run
// is said with a beep through `tell`, the window's own message line; a run that met
// resources it could not open ends in the "Erro" report, and one that opened everything
// ends in silence. A report of items not found offers to fix them, through `windows`.
void showLaunchFeedback(QWidget* window, Launcher& launcher, WindowRequests& windows,
                        std::function<void(const QString&)> tell);

} // namespace zantor
