#include "AppFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

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
    const DatabasePaths portable = DatabasePaths::inFolder(besideProgram.filePath());
    const QFileInfo portableFiles[] = {QFileInfo(portable.settings), QFileInfo(portable.groups),
                                       QFileInfo(portable.categories)};
    const bool holdsDatabases = std::any_of(std::begin(portableFiles), std::end(portableFiles),
                                            [](const QFileInfo& file) { return file.exists(); });
    if (besideProgram.isDir() && (besideProgram.isWritable() || holdsDatabases)) {
        folders.databases = besideProgram.filePath();
        folders.databasesReadOnly =
            !besideProgram.isWritable() ||
            std::any_of(std::begin(portableFiles), std::end(portableFiles),
                        [](const QFileInfo& file) { return file.exists() && !file.isWritable(); });
    } else {
        // A portable copy on a read-only medium still needs somewhere to keep the groups.
        folders.databases = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/Zantor/BD");
    }
    return folders;
}

QString AppFolders::readOnlyWarning() const {
    if (!databasesReadOnly)
        return {};
    return QStringLiteral("Os grupos estão numa pasta que não pode ser gravada (%1): eles podem ser vistos e "
                          "abertos, mas nenhuma mudança poderá ser gravada.")
        .arg(QDir::toNativeSeparators(databases));
}

} // namespace zantor
