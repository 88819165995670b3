#pragma once

#include <QString>

namespace zantor {

// Where the three databases and the category images live: folders beside the executable.
struct DatabasePaths {
    QString settings;
    QString groups;
    QString categories;

    static DatabasePaths inAppFolder(const QString& appFolder);
};

QString databaseFolder(const QString& appFolder);
QString imageFolder(const QString& appFolder);

} // namespace zantor
