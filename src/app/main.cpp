#include "CommandRunner.h"
#include "main/Frm1_ZT_ini.h"
#include "platform/TerminationRequests.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Without windows for the commands that show none, so they need no display.
    const std::unique_ptr<QCoreApplication> app = zantor::createApplication(argc, argv);
    const QString appFolder = QCoreApplication::applicationDirPath();
    zantor::CommandRunner commands(QCoreApplication::arguments(), appFolder);
    if (const std::optional<int> status = commands.runWithoutMainWindow())
        return *status;

    // Window managers match our windows to the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("Zantor"));
    // Hidden in the tray, the main window is still the program: only its close command ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    zantor::quitOnTerminationRequests();

    zantor::Frm1_ZT_ini window(appFolder);
    // Every window and message box takes the program's icon.
    QApplication::setWindowIcon(window.IconSoft);
    if (!window.load())
        return 2;
    commands.serve(window);
    return QApplication::exec();
}
