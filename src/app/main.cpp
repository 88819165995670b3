#include "CommandRunner.h"
#include "Startup.h"
#include "WindowCoordinator.h"
#include "platform/DesktopResourceHandler.h"
#include "platform/DisplayServer.h"
#include "platform/TerminationRequests.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    const QString activationToken = zantor::display::activationTokenOfThisStart();
    // Without windows for the commands that show none, so they need no display.
    const std::unique_ptr<QCoreApplication> app = zantor::createApplication(argc, argv);
    const QString appFolder = QCoreApplication::applicationDirPath();
    zantor::CommandRunner commands(QCoreApplication::arguments(), appFolder, activationToken);
    if (const std::optional<int> status = commands.runWithoutMainWindow())
        return *status;

    // Window managers match our windows to the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("Zantor"));
    // Hidden in the tray, the main window is still the program: only its close command ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    zantor::quitOnTerminationRequests();
    const std::unique_ptr<zantor::SharedState> state = zantor::startup::loadStateOrSay(appFolder);
    if (!state)
        return 2;
    zantor::DesktopResourceHandler desktop;
    zantor::WindowCoordinator windows(*state, desktop);
    // Later starts wait for the running copy to listen: the user sees its window first.
    QObject::connect(&windows, &zantor::WindowCoordinator::firstWindowShown, &windows,
                     [&] { commands.serve(windows); });
    windows.start();
    zantor::noteEventLoopRunning();
    return QApplication::exec();
}
