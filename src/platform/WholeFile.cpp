#include "WholeFile.h"

#include <QDir>
#include <QSaveFile>

namespace zantor {

QString writeWholeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions) {
    QSaveFile file(path);
    // Unbuffered, every write reaches the disk before commit() is asked: a buffered save
    // file flushes its last block inside commit() and, with Qt 6.4, replaces the old file
    // even when that flush ran out of space.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         (!permissions || file.setPermissions(permissions)) &&
                         file.write(bytes) == bytes.size() && file.error() == QFileDevice::NoError &&
                         file.commit();
    if (written)
        return {};
    const QString reason = file.errorString();
    file.cancelWriting();
    return QStringLiteral("não foi possível gravar %1 (%2)").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace zantor
