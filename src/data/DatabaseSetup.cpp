#include "DatabaseSetup.h"

#include "DatabaseError.h"
#include "DbSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

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

// The start of a database file, when it tells the truth about the database without
// opening it: the start opens each database once more to read it, and every opening
// counts before the first window shows. Empty when a journal left beside the file may
// still undo what the file holds, or when it is no database.
std::optional<QByteArray> settledHeader(const QString& databasePath) {
    if (QFileInfo::exists(databasePath + QStringLiteral("-journal")) ||
        QFileInfo::exists(databasePath + QStringLiteral("-wal")))
        return std::nullopt;
    QFile file(databasePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file header (100 bytes), then the header of the schema's first page.
    QByteArray start = file.read(105);
    if (start.size() < 105 || !start.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return std::nullopt;
    return start;
}

quint32 bigEndianAt(const QByteArray& bytes, int at) {
    return (quint32(quint8(bytes[at])) << 24) | (quint32(quint8(bytes[at + 1])) << 16) |
           (quint32(quint8(bytes[at + 2])) << 8) | quint8(bytes[at + 3]);
}

enum class StoredTables { Some, None, Unknown };

StoredTables storedTables(const QString& databasePath) {
    // The schema's first page must be a leaf (13); it says how many entries it holds.
    const std::optional<QByteArray> header = settledHeader(databasePath);
    if (!header || (*header)[100] != 13)
        return StoredTables::Unknown;
    const int entries = (quint8((*header)[103]) << 8) | quint8((*header)[104]);
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

// What the groups table has gained since its first form, counted in the database's
// user_version, so that a start that finds it current does not open the file for it.
constexpr int kGroupsTableVersion = 2;

bool hasColumn(DbSession& db, const QString& column) {
    return !db.select(QStringLiteral("select 1 from pragma_table_info('Tabela1') where name=?"), {column})
                .isEmpty();
}

// Brings an older groups database up to date, keeping every column and value of its
// groups table:
// - texto3, the items' arguments: its Null reads as no arguments;
// - ChavesTitulo, each group's alphabetical key by its id, indexed like the custom
//   order, so that the first rows of either order are read without reading the others.
//   A table of its own, so that the groups table's rows stay as they are. The table's
//   triggers keep a row for every group, whatever program writes, and empty the key of
//   a title that changes; the lists make the keys that are missing;
// - ContagemGrupos, the number of groups, kept by triggers as the keys are, so that the
//   first window tells it without counting the whole table. The whole list counts
//   again where it finds it wrong.
// A database that cannot be read or written is left as it is: it keeps reading as it
// did, and reading it tells the user why it fails.
void upgradeGroupsTable(const QString& groupsPath) {
    if (const std::optional<QByteArray> header = settledHeader(groupsPath);
        header && bigEndianAt(*header, 60) >= kGroupsTableVersion)
        return;
    try {
        DbSession db(groupsPath);
        db.inTransaction([&db] {
            if (db.select(QStringLiteral("PRAGMA user_version")).first().value(0).toInt() >=
                kGroupsTableVersion)
                return;
            if (!hasColumn(db, QStringLiteral("texto3")))
                db.execute(QStringLiteral("ALTER TABLE Tabela1 ADD COLUMN texto3 TEXT"));
            // The titles' own index served an earlier way of finding the first rows.
            db.execute(QStringLiteral("DROP INDEX IF EXISTS Tabela1_titulo1"));
            db.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS Tabela1_ordem ON Tabela1 (ordem)"));
            db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS ChavesTitulo "
                                      "(id INTEGER PRIMARY KEY, chave BLOB)"));
            db.execute(QStringLiteral("INSERT OR IGNORE INTO ChavesTitulo (id) SELECT id FROM Tabela1"));
            db.execute(
                QStringLiteral("CREATE INDEX IF NOT EXISTS ChavesTitulo_chave ON ChavesTitulo (chave)"));
            db.execute(
                QStringLiteral("CREATE TRIGGER IF NOT EXISTS ChavesTitulo_aoInserir AFTER INSERT ON Tabela1 "
                               "BEGIN INSERT OR REPLACE INTO ChavesTitulo (id) VALUES (NEW.id); END"));
            db.execute(QStringLiteral("CREATE TRIGGER IF NOT EXISTS ChavesTitulo_aoAlterar AFTER UPDATE "
                                      "OF id, titulo1 ON Tabela1 "
                                      "WHEN NEW.id IS NOT OLD.id OR NEW.titulo1 IS NOT OLD.titulo1 "
                                      "BEGIN DELETE FROM ChavesTitulo WHERE id=OLD.id; "
                                      "INSERT OR REPLACE INTO ChavesTitulo (id) VALUES (NEW.id); END"));
            db.execute(
                QStringLiteral("CREATE TRIGGER IF NOT EXISTS ChavesTitulo_aoExcluir AFTER DELETE ON Tabela1 "
                               "BEGIN DELETE FROM ChavesTitulo WHERE id=OLD.id; END"));
            db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS ContagemGrupos "
                                      "(id INTEGER PRIMARY KEY CHECK (id = 1), total INTEGER NOT NULL)"));
            db.execute(QStringLiteral(
                "INSERT OR REPLACE INTO ContagemGrupos (id, total) SELECT 1, count(*) FROM Tabela1"));
            db.execute(QStringLiteral("CREATE TRIGGER IF NOT EXISTS ContagemGrupos_aoInserir AFTER INSERT ON "
                                      "Tabela1 BEGIN UPDATE ContagemGrupos SET total=total+1; END"));
            db.execute(QStringLiteral("CREATE TRIGGER IF NOT EXISTS ContagemGrupos_aoExcluir AFTER DELETE ON "
                                      "Tabela1 BEGIN UPDATE ContagemGrupos SET total=total-1; END"));
            db.execute(QStringLiteral("PRAGMA user_version=%1").arg(kGroupsTableVersion));
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
    upgradeGroupsTable(paths.groups);
}

} // namespace zantor
