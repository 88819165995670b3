#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace zantor {

namespace {

// A write the disk cuts short returns what fit and leaves no error: the next one meets
// the system's reason (a full disk, a file too large) and records it.
bool writeAll(QFileDevice& file, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 more = file.write(bytes.constData() + written, bytes.size() - written);
        if (more <= 0)
            return false;
        written += more;
    }
    return file.error() == QFileDevice::NoError;
}

QString failed(const QString& path, const QString& reason) {
    return QStringLiteral("não foi possível gravar %1 (%2)").arg(QDir::toNativeSeparators(path), reason);
}

// A save file resolves a link at its name and writes the target; this writes a file of
// its own beside the name and renames it over the name, which replaces a link itself.
QString replaceWholeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions) {
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || !file.setPermissions(permissions) || !writeAll(file, bytes) || !file.flush())
        return failed(path, file.errorString());
    if (::fsync(file.handle()) != 0 ||
        std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return failed(path, qt_error_string(errno));
    file.setAutoRemove(false);
    return {};
}

} // namespace

QString writeWholeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions,
                       LinkAtName link) {
    if (link == LinkAtName::Replace)
        return replaceWholeFile(path, bytes, permissions);
    QSaveFile file(path);
    // Unbuffered, every write reaches the disk before commit() is asked: a buffered save
    // file flushes its last block inside commit() and, with Qt 6.4, replaces the old file
    // even when that flush ran out of space.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         (!permissions || file.setPermissions(permissions)) && writeAll(file, bytes) &&
                         file.commit();
    if (written)
        return {};
    const QString reason = file.errorString();
    file.cancelWriting();
    return failed(path, reason);
}

} // namespace zantor
