#include "CancelKey.h"

#include "state/Launcher.h"

#include <QShortcut>
#include <QWidget>

namespace zantor {

void cancelRunOnEscape(QWidget* window, Launcher& launcher) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setEnabled(false);
    QObject::connect(&launcher, &Launcher::runStarted, escape, [escape] { escape->setEnabled(true); });
    QObject::connect(&launcher, &Launcher::runFinished, escape, [escape] { escape->setEnabled(false); });
    QObject::connect(escape, &QShortcut::activated, &launcher, &Launcher::cancel);
}

} // namespace zantor
