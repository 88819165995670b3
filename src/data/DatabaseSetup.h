#pragma once

#include "DatabasePaths.h"

#include <QStringList>

namespace zantor {

// Makes each missing database from its seed SQL in `seedFolder` (ZT_Config.sql and so
// on, named like the database), and seeds again one that holds no tables at all. Any
// other existing file is never touched, but for what an older groups table lacks (the
// item arguments, the stored alphabetical keys), which it is given where it can be
// written, once. Safe when several processes start at once. Throws DatabaseError naming the database that could not be
// made.
void createMissingDatabases(const DatabasePaths& paths, const QString& seedFolder);

// The statements of a seed script: split at semicolons outside quoted texts, with
// `--` comments dropped.
QStringList splitSqlScript(const QString& script);

} // namespace zantor
