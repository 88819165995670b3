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

// A database that holds tables is the user's, whatever they hold. One that holds none
// (an empty file, as a start that ended while making it leaves) is a failed seed. A
// file that cannot be read as a database is neither: it is left alone, and reading it
// later tells the user why it fails.
bool needsSeed(const QString& databasePath) {
    const QFileInfo file(databasePath);
    if (!file.exists() || file.size() == 0)
        return true;
    try {
        DbSession db(databasePath);
        return tableCount(db) == 0;
    } catch (const DatabaseError&) {
        return false;
    }
}

void seed(const QString& databasePath, const QString& seedPath) {
    const QStringList statements = splitSqlScript(readSeed(databasePath, seedPath));
    // In place, holding the database's write lock from the start: of several starts at
    // once (the user's and an autostart, say), one makes the tables and the others find
    // them made. A start that ends halfway leaves no tables behind, which the next start
    // takes as a seed to make again.
    DbSession db(databasePath, DbSession::OpenMode::CreateFile);
    db.inTransaction(
        [&] {
            if (tableCount(db) > 0)
                return;
            for (const QString& statement : statements)
                db.execute(statement);
        },
        DbSession::Lock::WriteAtOnce);
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
}

} // namespace zantor
