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

void createFromSeed(const QString& databasePath, const QString& seedPath) {
    const QStringList statements = splitSqlScript(readSeed(databasePath, seedPath));
    // Build beside the target and move it into place at the end, so that a failure
    // never leaves a half-made database that the next start would take as real.
    const QString partial = databasePath + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        DbSession db(partial, DbSession::OpenMode::CreateFile);
        db.inTransaction([&] {
            for (const QString& statement : statements)
                db.execute(statement);
        });
    } catch (const DatabaseError& error) {
        QFile::remove(partial);
        throw DatabaseError(databasePath, error.reason());
    }
    if (!QFile::rename(partial, databasePath)) {
        QFile::remove(partial);
        throw DatabaseError(databasePath, QStringLiteral("Não foi possível criar o arquivo."));
    }
}

} // namespace

QStringList splitSqlScript(const QString& script) {
    QStringList statements;
    QString current;
    bool inQuotes = false;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (!inQuotes && line.trimmed().startsWith(QStringLiteral("--")))
            continue;
        for (const QChar c : line) {
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
        current.append(QLatin1Char('\n'));
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

void createMissingDatabases(const DatabasePaths& paths, const QString& seedFolder) {
    const QString targets[] = {paths.settings, paths.groups, paths.categories};
    for (const QString& target : targets) {
        const QFileInfo info(target);
        if (info.exists())
            continue;
        QDir().mkpath(info.absolutePath());
        createFromSeed(target, QDir(seedFolder).filePath(info.completeBaseName() + QStringLiteral(".sql")));
    }
}

} // namespace zantor
