#include "DatabaseSetup.h"

#include "DatabaseError.h"
#include "DbSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zantor {

namespace {

QString readSeed(const QString& databasePath, const QString& seedPath) {
    QFile seed(seedPath);
    if (!seed.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DatabaseError(
            databasePath,
            QStringLiteral("O arquivo não existe e o modelo para criá-lo (%1) não pôde ser lido.")
                .arg(QDir::toNativeSeparators(seedPath)));
    return QString::fromUtf8(seed.readAll());
}

int tableCount(DbSession& db) {
    return db.select(QStringLiteral("select count(*) from sqlite_master where type='table'"))
        .first()
        .value(0)
        .toInt();
}

// What the first page of a database file tells of its tables without opening it: the
// start opens each database once more to read it, and every opening counts before the
// first window shows.
enum class StoredTables { Some, None, Unknown };

StoredTables storedTables(const QString& databasePath) {
    // A journal left beside the file may still undo what the file holds.
    if (QFileInfo::exists(databasePath + QStringLiteral("-journal")) ||
        QFileInfo::exists(databasePath + QStringLiteral("-wal")))
        return StoredTables::Unknown;
    QFile file(databasePath);
    if (!file.open(QIODevice::ReadOnly))
        return StoredTables::Unknown;
    // The file header (100 bytes), then the header of the schema's first page: its kind
    // (13, a leaf) and how many entries it holds.
    const QByteArray start = file.read(105);
    if (start.size() < 105 || !start.startsWith(QByteArrayLiteral("SQLite format 3\0")) || start[100] != 13)
        return StoredTables::Unknown;
    const int entries = (quint8(start[103]) << 8) | quint8(start[104]);
    return entries > 0 ? StoredTables::Some : StoredTables::None;
}

// A database that holds tables is the user's, whatever they hold. One that holds none
// (an empty file, as a start that ended while making it leaves) is a failed seed. A
// file that cannot be read as a database is neither: it is left alone, and reading it
// later tells the user why it fails.
bool needsSeed(const QString& databasePath) {
    const QFileInfo file(databasePath);
    if (!file.exists() || file.size() == 0)
        return true;
    // Any entry in the schema was made on purpose: a failed seed leaves none.
    if (const StoredTables tables = storedTables(databasePath); tables != StoredTables::Unknown)
        return tables == StoredTables::None;
    try {
        DbSession db(databasePath);
        return tableCount(db) == 0;
    } catch (const DatabaseError&) {
        return false;
    }
}

void seed(const QString& databasePath, const QString& seedPath) {
    const QStringList statements = splitSqlScript(readSeed(databasePath, seedPath));
    // In place, in one transaction, which holds the write lock from its start: of several
    // starts at once (the user's and an autostart, say), one makes the tables and the
    // others find them made. A start that ends halfway leaves no tables behind, which the
    // next start takes as a seed to make again.
    DbSession db(databasePath, DbSession::OpenMode::CreateFile);
    db.inTransaction([&] {
        if (tableCount(db) > 0)
            return;
        for (const QString& statement : statements)
            db.execute(statement);
    });
}

// Older groups tables have no column for item arguments: one statement adds it, and its
// Null reads as no arguments. A database that cannot be read or written is left as it
// is: it keeps reading as it did, and reading it tells the user why it fails.
void addArgumentsColumn(const QString& groupsPath) {
    try {
        DbSession db(groupsPath);
        const auto hasColumn = [&db] {
            return !db.select(
                          QStringLiteral("select 1 from pragma_table_info('Tabela1') where name='texto3'"))
                        .isEmpty();
        };
        if (hasColumn())
            return;
        db.inTransaction([&] {
            if (!hasColumn())
                db.execute(QStringLiteral("ALTER TABLE Tabela1 ADD COLUMN texto3 TEXT"));
        });
    } catch (const DatabaseError&) {
    }
}

} // namespace

QStringList splitSqlScript(const QString& script) {
    QStringList statements;
    QString current;
    bool inQuotes = false;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        // A comment runs to the end of its line; an apostrophe in it opens no text.
        if (!inQuotes && c == QLatin1Char('-') && script.mid(i, 2) == QStringLiteral("--")) {
            while (i < script.size() && script[i] != QLatin1Char('\n'))
                ++i;
            current.append(QLatin1Char('\n'));
            continue;
        }
        if (c == QLatin1Char('\''))
            inQuotes = !inQuotes;
        if (c == QLatin1Char(';') && !inQuotes) {
            if (!current.trimmed().isEmpty())
                statements.append(current.trimmed());
            current.clear();
        } else {
            current.append(c);
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

void createMissingDatabases(const DatabasePaths& paths, const QString& seedFolder) {
    const QString targets[] = {paths.settings, paths.groups, paths.categories};
    for (const QString& target : targets) {
        if (!needsSeed(target))
            continue;
        const QFileInfo info(target);
        QDir().mkpath(info.absolutePath());
        seed(target, QDir(seedFolder).filePath(info.completeBaseName() + QStringLiteral(".sql")));
    }
    addArgumentsColumn(paths.groups);
}

} // namespace zantor
