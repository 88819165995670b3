#pragma once

#include <QString>

namespace zantor {

// The three database files.
struct DatabasePaths {
    QString settings;
    QString groups;
    QString categories;

    // The databases in `folder`. Where a copy of Zantor keeps them is AppFolders' call.
    static DatabasePaths inFolder(const QString& folder);
};

} // namespace zantor
