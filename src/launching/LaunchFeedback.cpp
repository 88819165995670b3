#include "LaunchFeedback.h"

#include "chrome/Prompt.h"
#include "state/Launcher.h"
#include "state/WindowRequests.h"

#include <QShortcut>
#include <QWidget>

namespace zantor {

namespace {

void report(QWidget* window, WindowRequests& windows, const LaunchResult& result) {
    if (!result.missing.isEmpty()) {
        prompt::offer(window, PromptIcon::Warning, QStringLiteral("Erro"), result.report(),
                      {QStringLiteral("Corrigir itens…"),
                       [&windows, items = result.missing] { windows.fixMissingItems(items); }});
    } else if (result.hasProblems()) {
        prompt::message(window, PromptIcon::Warning, QStringLiteral("Erro"), result.report());
    }
}

} // namespace

void showLaunchFeedback(QWidget* window, Launcher& launcher, WindowRequests& windows,
                        std::function<void(const QString&)> tell) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setEnabled(false);
    QObject::connect(&launcher, &Launcher::runStarted, escape, [escape] { escape->setEnabled(true); });
    QObject::connect(escape, &QShortcut::activated, &launcher, &Launcher::cancel);
    QObject::connect(&launcher, &Launcher::runFinished, window,
                     [window, escape, &windows, tell = std::move(tell)](const LaunchResult& result) {
                         escape->setEnabled(false);
                         if (result.cancelled) {
                             prompt::beep();
                             tell(QStringLiteral("Abertura cancelada."));
                         }
                         report(window, windows, result);
                     });
}

} // namespace zantor
