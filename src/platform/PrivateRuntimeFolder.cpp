#include "PrivateRuntimeFolder.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zantor {

#ifdef Q_OS_UNIX
bool isPrivateFolder(const QString& folder, uint user) {
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), S_IRWXU);
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == user &&
           (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}
#else
// Elsewhere the user's own folders are private already.
bool isPrivateFolder(const QString& folder, uint) {
    return QDir().mkpath(folder);
}
#endif

namespace {

uint thisUser() {
#ifdef Q_OS_UNIX
    return ::getuid();
#else
    return 0;
#endif
}

} // namespace

QString privateRuntimeFolder() {
    QStringList candidates;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        candidates << runtime + QStringLiteral("/zantor");
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty() && QDir().mkpath(cache))
        candidates << cache + QStringLiteral("/zantor-run");
    for (const QString& folder : std::as_const(candidates)) {
        if (isPrivateFolder(folder, thisUser()))
            return folder;
    }
    return {};
}

} // namespace zantor
