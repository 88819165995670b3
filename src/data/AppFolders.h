#pragma once

#include "DatabasePaths.h"

#include <QString>

namespace zantor {

// Where a copy of Zantor finds what it ships (the seed SQL in BD, the pictures in IMG,
// the help documents in ReadMe) and where it keeps the user's databases.
//
// A copy with a BD folder beside its executable is laid out portably, as the build
// folder is: it ships everything there and keeps its databases in that BD folder.
// Where that folder cannot be written, the databases it holds are still the user's
// groups, read but never written; only a read-only BD folder that holds none (a copy
// on a read-only medium) keeps its databases where an installed copy does. Any other
// copy is installed: it reads what it ships from its prefix's data folder and never
// writes into the prefix; each user's databases live in $XDG_DATA_HOME/Zantor/BD.
struct AppFolders {
    // The executable, as shortcuts start it.
    QString program;
    // Holds BD (the seed SQL), IMG and ReadMe.
    QString shipped;
    // Holds the user's three databases.
    QString databases;
    // The databases can be read but not written: the user is told once, and every write
    // fails.
    bool databasesReadOnly = false;

    static AppFolders forProgramFolder(const QString& programFolder);

    // What the user is told once where the databases are read-only; empty where they
    // can be written.
    QString readOnlyWarning() const;

    QString seedFolder() const { return shipped + QStringLiteral("/BD/"); }
    QString pictureFolder() const { return shipped + QStringLiteral("/IMG/"); }
    DatabasePaths databasePaths() const { return DatabasePaths::inFolder(databases); }
};

} // namespace zantor
