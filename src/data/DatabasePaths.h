#pragma once

#include <QString>

namespace zantor {

// The three database files.
struct DatabasePaths {
    QString settings;
    QString groups;
    QString categories;

    // The databases in `folder`.
    static DatabasePaths inFolder(const QString& folder);
    // The databases of the copy whose executable lies in `appFolder`, wherever that copy
    // keeps them (see AppFolders).
    static DatabasePaths inAppFolder(const QString& appFolder);
};

} // namespace zantor
