#include "LaunchFeedback.h"

#include "chrome/Prompt.h"
#include "state/Launcher.h"

#include <QShortcut>
#include <QWidget>

namespace zantor {

void showLaunchFeedback(QWidget* window, Launcher& launcher, std::function<void(const QString&)> tell) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setEnabled(false);
    QObject::connect(&launcher, &Launcher::runStarted, escape, [escape] { escape->setEnabled(true); });
    QObject::connect(escape, &QShortcut::activated, &launcher, &Launcher::cancel);
    QObject::connect(&launcher, &Launcher::runFinished, window,
                     [window, escape, tell = std::move(tell)](const LaunchResult& result) {
                         escape->setEnabled(false);
                         if (result.cancelled) {
                             prompt::beep();
                             tell(QStringLiteral("Abertura cancelada."));
                         }
                         if (result.hasProblems())
                             prompt::message(window, PromptIcon::Warning, QStringLiteral("Erro"),
                                             result.report());
                     });
}

} // namespace zantor
