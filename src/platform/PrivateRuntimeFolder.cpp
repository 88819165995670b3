#include "PrivateRuntimeFolder.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace zantor {

QString privateRuntimeFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty()) {
        folder = QDir::tempPath() + QStringLiteral("/zantor-%1").arg(::getuid());
        QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QFileInfo info(folder);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    if (!info.isDir() || info.ownerId() != ::getuid() || (info.permissions() & others))
        return {};
    return folder;
}

} // namespace zantor
