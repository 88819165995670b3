#pragma once

#include "DatabasePaths.h"

#include <QStringList>

namespace zantor {

// Makes each missing database from its seed SQL in `seedFolder` (ZT_Config.sql and so
// on, named like the database). An existing database is never touched. Throws
// DatabaseError naming the database that could not be made.
void createMissingDatabases(const DatabasePaths& paths, const QString& seedFolder);

// The statements of a seed script: split at semicolons outside quoted texts, with
// `--` comments dropped.
QStringList splitSqlScript(const QString& script);

} // namespace zantor
