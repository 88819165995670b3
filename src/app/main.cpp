#include "main/Frm1_ZT_ini.h"
#include "platform/DisplayServer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    zantor::preferX11OnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zantor"));
    // Window managers match our windows to the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("Zantor"));
    // Hidden in the tray, the main window is still the program: only its close command ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    zantor::Frm1_ZT_ini window(QCoreApplication::applicationDirPath());
    // Every window and message box takes the program's icon.
    QApplication::setWindowIcon(window.IconSoft);
    if (!window.load())
        return 2;
    return QApplication::exec();
}
