#include "AppFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zantor {

AppFolders AppFolders::forProgramFolder(const QString& programFolder) {
    const QFileInfo besideProgram(programFolder + QStringLiteral("/BD"));
    AppFolders folders;
    if (besideProgram.isDir()) {
        folders.program = programFolder + QStringLiteral("/Zantor");
        folders.shipped = programFolder;
    } else {
        folders.program = programFolder + QStringLiteral("/" ZANTOR_INSTALLED_PROGRAM);
        // Relative to the executable, so that a prefix keeps working wherever it is moved.
        folders.shipped = QDir::cleanPath(programFolder + QStringLiteral("/" ZANTOR_SHIPPED_FROM_PROGRAM));
    }
    // A portable copy on a read-only medium still needs somewhere to keep the groups.
    folders.databases = besideProgram.isDir() && besideProgram.isWritable()
                            ? besideProgram.filePath()
                            : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                  QStringLiteral("/Zantor/BD");
    return folders;
}

} // namespace zantor
