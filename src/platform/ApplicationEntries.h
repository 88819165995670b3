#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace zantor {

// An application as the desktop's menus show it.
struct InstalledApplication {
    QString name;
    QString entryPath;
    // Names of its icon in the icon theme, the best first; or the picture file it names.
    QStringList iconNames;
    QString iconFile;
};

// Desktop entries of applications (".desktop" files of Type=Application), read and
// started through GIO, as the desktop's own menus start them: Exec field codes,
// Terminal, DBusActivatable, TryExec and Path are GIO's to handle.
namespace applications {

// Whether the file is an application's entry, installed here or not.
bool isEntry(const QString& path);
// Whether GIO can start it here: it loads as an application whose program (TryExec and
// Exec) is installed.
bool isInstalled(const QString& entryPath);
// Name[pt_BR], then Name[pt], then Name; empty when the file names none.
QString name(const QString& entryPath);
// Whether its Exec line takes files or URIs (%f %F %u %U), which is how it gets
// arguments. False for an entry that is not installed.
bool takesFiles(const QString& entryPath);
// Starts the application with `arguments` as its files or URIs, a relative path taken
// from the home folder; an application that takes none gets none. False when it could
// not start.
bool launch(const QString& entryPath, const QStringList& arguments);
// Every application GIO lists as shown to the user here, in no order.
QVector<InstalledApplication> installed();

} // namespace applications

} // namespace zantor
