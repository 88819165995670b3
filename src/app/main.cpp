#include "main/Frm1_ZT_ini.h"
#include "platform/DisplayServer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    zantor::preferX11OnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zantor"));
    // Hidden in the tray, the main window is still the program: only its close command ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    zantor::Frm1_ZT_ini window(QCoreApplication::applicationDirPath());
    if (!window.load())
        return 2;
    return QApplication::exec();
}
