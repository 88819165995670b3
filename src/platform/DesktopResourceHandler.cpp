#include "DesktopResourceHandler.h"

#include "ApplicationEntries.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace zantor {

bool DesktopResourceHandler::exists(const QString& path) const {
    return QFileInfo::exists(path) && (!applications::isEntry(path) || applications::isInstalled(path));
}

bool DesktopResourceHandler::open(const QString& path, const QStringList& arguments) {
    const QFileInfo file(path);
    // Before the execute bit: entries are often marked executable, to be trusted on a
    // desktop, and are no programs.
    if (applications::isEntry(path))
        return applications::launch(file.absoluteFilePath(), arguments);
    // The absolute path keeps a bare name from being looked up in PATH, and no shell
    // ever sees it. A document that merely carries the execute bit (as everything on
    // a FAT drive does) cannot be started and goes to its application instead.
    if (file.isFile() && file.isExecutable() &&
        QProcess::startDetached(file.absoluteFilePath(), arguments, file.absolutePath()))
        return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

bool DesktopResourceHandler::openWebAddress(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

} // namespace zantor
